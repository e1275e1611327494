// Commands that write, given bad files and outputs that cannot be written: each fails with a
// message naming the file and a non-zero exit, claims no success, and leaves no output behind.
// A full disk is stood in for by a file-size limit on the run (writes past it fail).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

class CorpusWrite : public ::testing::Test {
 protected:
  CorpusWrite() { CopyCorpus(dir.Path()); }
  CliResult Run(const std::vector<std::string>& args, CliLimits limits = {}) {
    return RunCli(args, dir.Path(), limits);
  }
  bool Exists(const std::string& name) const { return fs::exists(dir / name); }
  // Names in the folder that were not there at the start (temporaries included).
  std::vector<std::string> NewFiles() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir.Path())) {
      const std::string n = e.path().filename().string();
      if (!fs::exists(fs::path(ZORVEL_CORPUS_DIR) / n)) out.push_back(n);
    }
    return out;
  }
  ::zorvel::testing::TempDir dir;
};

// Larger than any message the run prints (its output goes to files too), smaller than its output.
constexpr CliLimits kFullDisk{.fileSizeBytes = 400};

TEST_F(CorpusWrite, AFullDiskFailsTheCommandAndLeavesNothing) {
  const CliResult counts =
      Run({"export", "counts", "good.ZV1", "--out", "file", "--period", "minutes"}, kFullDisk);
  EXPECT_EQ(counts.code, 1) << counts.err;
  EXPECT_EQ(counts.out.find("exported to"), std::string::npos);
  EXPECT_NE(counts.err.find("not created successfully: File too large"), std::string::npos) << counts.err;
  const CliResult wav =
      Run({"wav", "good.ZV1", "--from", "2026-06-01 18:00", "--to", "2026-06-01 18:00:01", "--out", "x.wav"},
          kFullDisk);
  EXPECT_EQ(wav.code, 1);
  EXPECT_NE(wav.err.find("x.wav: File too large"), std::string::npos) << wav.err;
  const CliResult copy =
      Run({"files", "copy-period", "good.ZV1", "--from", "66491640", "--to", "66491649", "--out", "cut.ZV1"},
          {.fileSizeBytes = 1500});
  EXPECT_EQ(copy.code, 1) << copy.err;
  EXPECT_EQ(NewFiles(), std::vector<std::string>{}) << "no output and no temporary file";
}

// Standard output on a full disk (/dev/full): the listing is incomplete, so the command fails.
TEST(CorpusStdout, OutputThatCannotBeWrittenFailsTheCommand) {
  ::zorvel::testing::TempDir dir;
  CopyCorpus(dir.Path());
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"dump", "good.ZV1"}, std::vector<std::string>{"info", "good.ZV1"},
        std::vector<std::string>{"list", "times", "good.ZV1"}}) {
    const CliResult r = RunCli(args, dir.Path(), {.stdoutPath = "/dev/full"});
    EXPECT_EQ(r.code, 1) << args[0];
    EXPECT_NE(r.err.find("standard output could not be written"), std::string::npos) << r.err;
  }
}

TEST_F(CorpusWrite, AnOutputUnderAPlainFileFailsWithTheReason) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"wav", "good.ZV1", "--from", "2026-06-01 18:00", "--to",
                                 "2026-06-01 18:00:01", "--out", "not_data.txt/x.wav"},
        std::vector<std::string>{"wav", "--sweep", "--out", "not_data.txt/sweep.wav"},
        std::vector<std::string>{"logger", "settings", "--out", "not_data.txt/BATSETS.txt"},
        std::vector<std::string>{"logger", "clock", "--out", "not_data.txt/BATTIME.txt", "--at",
                                 "2026-06-01 12:00"},
        std::vector<std::string>{"simulate", "--out", "not_data.txt/card"},
        std::vector<std::string>{"files", "copy-period", "good.ZV1", "--from", "66491640", "--to", "66491641",
                                 "--out", "not_data.txt/cut.ZV1"}}) {
    const CliResult r = Run(args);
    EXPECT_NE(r.code, 0) << args[0] << " " << args[1];
    EXPECT_LT(r.code, 128);
    // The logger's set-up files keep their own messages, which name the file.
    const std::string said = args[0] == "logger" ? args[3].substr(13) : "ot a directory";
    EXPECT_NE(r.err.find(said), std::string::npos) << args[0] << " " << args[1] << "\n" << r.err;
  }
}

// The map of a file of more than 100,000 records is written beside it; where it cannot be,
// the command says so and fails instead of claiming it.
TEST_F(CorpusWrite, MapThatCannotBeWrittenIsNotClaimed) {
  // good.ZV1's header with 100,100 minute records and nothing else.
  std::vector<uint8_t> bytes = CorpusBytes("good.ZV1");
  bytes.resize(1024);
  const uint32_t last = 66'491'640 + 100'099;
  for (const int at : {260, 276})
    for (int k = 0; k < 4; ++k)
      bytes[static_cast<size_t>(at + k)] = static_cast<uint8_t>(last >> (24 - 8 * k));
  for (int m = 0; m < 100'100; ++m) {
    uint8_t minute[16] = {0xFE};
    minute[10] = 1;
    bytes.insert(bytes.end(), minute, minute + 16);
  }
  bytes.insert(bytes.end(), 16, 0xFF);
  WriteAll(dir / "long.ZV1", bytes);
  fs::create_directories(dir / "long.z1m");  // the map's name is taken by a folder
  const CliResult r = Run({"map", "long.ZV1", "--force"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("map file: not written"), std::string::npos) << r.out;
  EXPECT_NE(r.err.find("long.ZV1: the map file could not be written: long.z1m"), std::string::npos) << r.err;
  fs::remove(dir / "long.z1m");
  const CliResult ok = Run({"map", "long.ZV1", "--force"});
  EXPECT_EQ(ok.code, 0) << ok.err;
  EXPECT_NE(ok.out.find("map file: written long.z1m"), std::string::npos) << ok.out;
}

TEST_F(CorpusWrite, JoinRefusesBadFilesWithoutHangingOrGrowing) {
  const auto good = ReadAll(dir / "good.ZV1");
  for (const char* bad : {"random_bytes.ZV1", "blank_header.ZV1", "first_minute_max.ZV1", "near_overflow.ZV1",
                          "empty.ZV1", "header_only.ZV1", "missing.ZV1", "good.ZV2"}) {
    const CliResult r = Run({"files", "join", "good.ZV1", bad, "--first-file-copied"}, {.seconds = 30});
    EXPECT_EQ(r.code, 1) << bad << "\n" << r.err;
    EXPECT_NE(r.out.find(std::string("ERROR\t") + bad), std::string::npos) << bad << "\n" << r.out;
    EXPECT_EQ(ReadAll(dir / "good.ZV1"), good) << bad;
  }
  // As the first file: refused before anything is written.
  for (const char* bad : {"first_minute_max.ZV1", "blank_header.ZV1"}) {
    const auto before = ReadAll(dir / bad);
    const CliResult r = Run({"files", "join", bad, "good.ZV1", "--first-file-copied"}, {.seconds = 30});
    EXPECT_EQ(r.code, 1) << bad;
    EXPECT_LT(ReadAll(dir / bad).size(), 4096u) << bad << ": no gap minutes written";
    (void)before;
  }
  EXPECT_EQ(NewFiles(), std::vector<std::string>{});
}

TEST_F(CorpusWrite, CopiesAndCropsOfBadFilesFailAndWriteNothing) {
  for (const char* bad : {"random_bytes.ZV1", "blank_header.ZV1", "first_minute_max.ZV1", "empty.ZV1",
                          "header_only.ZV1", "missing.ZV1"}) {
    const CliResult copy =
        Run({"files", "copy-period", bad, "--from", "66491640", "--to", "66491641", "--out", "cut.ZV1"},
            {.seconds = 30});
    EXPECT_EQ(copy.code, 1) << bad << "\n" << copy.err;
    const CliResult crop = Run({"files", "crop", "--like", "good.ZV1", bad, "--yes"}, {.seconds = 30});
    EXPECT_EQ(crop.code, 1) << bad << "\n" << crop.err;
    const CliResult like = Run({"files", "crop", "--like", bad, "good.ZV1", "--yes"}, {.seconds = 30});
    EXPECT_EQ(like.code, 1) << bad << "\n" << like.err;
  }
  EXPECT_EQ(NewFiles(), std::vector<std::string>{});
}

TEST_F(CorpusWrite, FileSetCommandsNameAMissingFile) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"files", "rename", "missing.ZV1", "x.ZV1"},
        std::vector<std::string>{"files", "rename-set", "missing.ZV1", "x"},
        std::vector<std::string>{"files", "delete-set", "missing.ZV1", "--yes"},
        std::vector<std::string>{"files", "shift", "missing.ZV1", "--minutes", "1"},
        std::vector<std::string>{"files", "set-text", "missing.ZV1", "--lat", "1"}}) {
    const CliResult r = Run(args);
    EXPECT_EQ(r.code, 1) << args[1];
    EXPECT_NE(r.err.find("missing.ZV1: no such file"), std::string::npos) << args[1] << "\n" << r.err;
  }
  const CliResult shift = Run({"files", "shift", "good.ZV1", "empty.ZV1", "--minutes", "1"});
  EXPECT_EQ(shift.code, 1);
  EXPECT_EQ(ReadAll(dir / "good.ZV1"), CorpusBytes("good.ZV1")) << "nothing is shifted when a file is bad";
}

TEST_F(CorpusWrite, SettingsFilesAndEditsThatAreRefused) {
  const struct {
    std::vector<std::string> flags;
    std::string message;
  } cases[] = {
      {{"--filters", "binary.zvf"}, "binary.zvf: not a text file (it holds NUL bytes)"},
      {{"--filters", "utf16.zvf"}, "utf16.zvf: UTF-16 text"},
      {{"--export-settings", "empty.zve"},
       "empty.zve: holds none of the sections of an export settings (.zve) file"},
      {{"--export-settings", "no_section.zve"}, "no_section.zve: holds none of the sections"},
      {{"--filters", "missing.zvf"}, "missing.zvf: the settings file cannot be read"},
      {{"--edit", "SeqEdit=(((("}, "SeqEdit: '((((' is not a sequence"},
      {{"--edit", "MinOctKHZedit=twenty"}, "MinOctKHZedit: 'twenty' is not a valid integer value"},
      {{"--edit", "HourOfDayStartHrEdit=24"}, "HourOfDayStartHrEdit: Hours must in the range 0 to 23"},
  };
  for (const auto& c : cases) {
    for (const char* kind : {"counts", "calls"}) {
      std::vector<std::string> args{"export", kind, "good.ZV2"};
      args.insert(args.end(), c.flags.begin(), c.flags.end());
      const CliResult r = Run(args);
      EXPECT_EQ(r.code, 2) << c.message;
      EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
  }
  EXPECT_EQ(Run({"export", "counts", "good.ZV2", "--edit", "SeqEdit=fd"}).code, 0);
  EXPECT_EQ(NewFiles(), std::vector<std::string>{});
}

TEST_F(CorpusWrite, ImportKeepsEarlierFilesAndSaysWhyItCannotStart) {
  ASSERT_EQ(Run({"simulate", "--out", "card", "--nights", "1", "--activity", "0", "--no-noise"}).code, 0);
  const CliResult first = Run({"import", "card", "--out", "out", "--location", "Pond", "--quiet"});
  ASSERT_EQ(first.code, 0) << first.err;
  const std::string made = "out/Pond 2026 06 01 ZORVEL_1234 file0.ZV1";
  ASSERT_EQ(first.out, made + "\n");
  const auto bytes = ReadAll(dir / made);
  const CliResult second = Run({"import", "card", "--out", "out", "--location", "Pond", "--quiet"});
  EXPECT_EQ(second.code, 0) << second.err;
  EXPECT_EQ(second.out, "out/Pond 2026 06 01 ZORVEL_1234 file0 part2.ZV1\n");
  EXPECT_EQ(ReadAll(dir / made), bytes);

  const CliResult tooLong = Run({"import", "card", "--out", "out2", "--location", std::string(52, 'L')});
  EXPECT_EQ(tooLong.code, 2);
  EXPECT_NE(tooLong.err.find("Location text is 52 characters; the header holds 32"), std::string::npos)
      << tooLong.err;
  const CliResult plain = Run({"import", "card", "--out", "not_data.txt/out"});
  EXPECT_EQ(plain.code, 1);
  EXPECT_NE(plain.err.find("the folder not_data.txt/out cannot be made: Not a directory"), std::string::npos) << plain.err;
  EXPECT_FALSE(Exists("out2"));

  ASSERT_EQ(
      Run({"simulate", "--out", "blank", "--nights", "1", "--activity", "0", "--blank-header", "0"}).code, 0);
  const CliResult blank = Run({"import", "blank", "--out", "out3"});
  EXPECT_EQ(blank.code, 1);
  EXPECT_NE(blank.err.find("the logger file's header is blank"), std::string::npos) << blank.err;
}

TEST_F(CorpusWrite, HelpAndVersionPrintAndSucceed) {
  const CliResult help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("find-calls"), std::string::npos);
  const CliResult version = Run({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out.rfind("zorvel-cli ", 0), 0u) << version.out;
}

}  // namespace
}  // namespace zorvel::testing
