// Every command that only reads, over every data file of the corpus: the exit code says whether
// the file could be used, a failure names the file, nothing crashes or hangs, and the data file's
// bytes are unchanged afterwards (sidecar map files and reports beside it may appear).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

enum class Kind {
  Readable,     // a good file, or one the reader copes with: exit 0
  HeaderOnly,   // 1024 bytes: commands that need only the header succeed, the others fail
  Unusable,     // no header at all: every command fails
  Implausible,  // header minutes outside any logger's years: every command fails
  Tolerated,    // cut short or without an end record: either answer, but no crash
};

struct CorpusFile {
  const char* name;
  Kind kind;
};

constexpr CorpusFile kFiles[] = {
    {"good.ZV1", Kind::Readable},
    {"good.ZV2", Kind::Readable},
    {"backwards_groups.ZV1", Kind::Readable},
    {"last_minute_zero.ZV1", Kind::Readable},
    {"header_only.ZV1", Kind::HeaderOnly},
    {"empty.ZV1", Kind::Unusable},
    {"random_bytes.ZV1", Kind::Implausible},
    {"random_bytes.ZV2", Kind::Implausible},
    {"blank_header.ZV1", Kind::Implausible},
    {"first_minute_max.ZV1", Kind::Implausible},
    {"near_overflow.ZV1", Kind::Implausible},
    {"truncated.ZV2", Kind::Tolerated},
    {"no_end_record.ZV1", Kind::Tolerated},
    // --- spans and endings (helper "fix") ---
    {"header_span_short.ZV1", Kind::Readable},
    {"no_minutes.ZV1", Kind::Tolerated},
    // --- end of spans and endings ---
};

struct ReadCommand {
  const char* label;
  std::vector<std::string> before, after;  // arguments before and after the file name
  bool headerOnly;                         // reads the header and nothing else
  bool zv2Only;
};

const std::vector<ReadCommand>& Commands() {
  static const std::vector<ReadCommand> commands = {
      {"info", {"info"}, {}, true, false},
      {"dump", {"dump"}, {}, false, false},
      {"map", {"map"}, {}, false, false},
      {"map_force", {"map"}, {"--force"}, false, false},
      {"list_times", {"list", "times"}, {"--deployment"}, true, false},
      {"list_settings", {"list", "settings"}, {}, true, false},
      {"list_firmware", {"list", "firmware"}, {}, true, false},
      {"list_calibration", {"list", "calibration"}, {}, true, false},
      {"list_minutes", {"list", "minutes"}, {}, false, false},
      {"export_counts", {"export", "counts"}, {"--out", "results", "--period", "minutes"}, false, false},
      {"export_counts_file", {"export", "counts"}, {"--out", "file", "--kind", "env"}, false, false},
      {"export_calls", {"export", "calls"}, {"--ignore-filters"}, false, true},
      {"wav",
       {"wav"},
       {"--from", "2026-06-01 18:00", "--to", "2026-06-01 18:00:01", "--out", "out.wav"},
       false,
       false},
      {"wav_live",
       {"wav"},
       {"--from", "66491641", "--to", "66491641", "--out", "out.wav", "--live"},
       false,
       false},
  };
  return commands;
}

using Case = std::tuple<size_t, size_t>;  // file, command

class CorpusRead : public ::testing::TestWithParam<Case> {};

TEST_P(CorpusRead, ExitCodeAndBytes) {
  const CorpusFile& file = kFiles[std::get<0>(GetParam())];
  const ReadCommand& command = Commands()[std::get<1>(GetParam())];
  const std::string name = file.name;
  if (command.zv2Only && !name.ends_with(".ZV2")) GTEST_SKIP() << "export calls reads ZV2 files";
  TempDir dir;
  CopyCorpus(dir.Path());
  std::vector<std::string> args = command.before;
  args.push_back(name);
  args.insert(args.end(), command.after.begin(), command.after.end());
  const CliResult r = RunCli(args, dir.Path());
  SCOPED_TRACE(command.label + std::string(" ") + name + "\n" + r.err);

  ASSERT_LT(r.code, 128) << "ended by a signal (a crash, or killed after hanging)";
  EXPECT_TRUE(ReadAll(dir / name) == CorpusBytes(name)) << "a command that only reads changed the data file";
  if (r.code != 0) {
    EXPECT_NE(r.err.find(name), std::string::npos) << "a failure names the file";
  }
  switch (file.kind) {
    case Kind::Readable:
      EXPECT_EQ(r.code, 0);
      break;
    case Kind::HeaderOnly:
      EXPECT_EQ(r.code == 0, command.headerOnly);
      break;
    case Kind::Unusable:
      EXPECT_NE(r.code, 0);
      break;
    case Kind::Implausible:
      EXPECT_NE(r.code, 0);
      break;
    case Kind::Tolerated:
      break;
  }
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
  std::string n =
      std::string(kFiles[std::get<0>(info.param)].name) + "_" + Commands()[std::get<1>(info.param)].label;
  for (char& c : n)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(AllFiles, CorpusRead,
                         ::testing::Combine(::testing::Range<size_t>(0, std::size(kFiles)),
                                            ::testing::Range<size_t>(0, 14)),
                         CaseName);

// A file that is not there, a folder, and a file of another kind are named with the reason by
// every command that reads, and the command fails.
TEST(CorpusReadMissing, EveryReaderNamesTheFileAndWhy) {
  TempDir dir;
  CopyCorpus(dir.Path());
  std::filesystem::create_directories(dir / "folder.ZV1");
  const struct {
    const char* path;
    const char* reason;
  } inputs[] = {{"missing.ZV1", "missing.ZV1: no such file"},
                {"folder.ZV1", "folder.ZV1: is a folder, not a file"},
                {"not_data.txt", "not_data.txt: not a Zorvel data file (.ZV1, .ZV2 or .ZV3)"},
                {"empty.ZV1", "empty.ZV1: too short to be a data file (0 bytes; the header alone is 1024)"}};
  for (const auto& in : inputs) {
    for (const ReadCommand& c : Commands()) {
      std::vector<std::string> args = c.before;
      args.push_back(in.path);
      args.insert(args.end(), c.after.begin(), c.after.end());
      const CliResult r = RunCli(args, dir.Path());
      EXPECT_EQ(r.code, 1) << c.label << " " << in.path << "\n" << r.err;
      EXPECT_NE(r.err.find(in.reason), std::string::npos) << c.label << "\n" << r.err;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "missing call details.txt"));
}

// Several files with one failure: the others are processed, the failure is named, and the
// command ends with the count and a non-zero exit.
TEST(CorpusReadMissing, SeveralFilesEndWithTheCountOfFailures) {
  TempDir dir;
  CopyCorpus(dir.Path());
  for (const char* what : {"times", "settings", "firmware", "calibration", "minutes"}) {
    const CliResult r = RunCli({"list", what, "good.ZV1", "missing.ZV1", "good.ZV2"}, dir.Path());
    EXPECT_EQ(r.code, 1) << what;
    EXPECT_NE(r.out.find("good.ZV2"), std::string::npos) << what << ": the file after the failure is listed";
    EXPECT_TRUE(r.err.ends_with("1 of 3 files failed\n")) << what << "\n" << r.err;
  }
  const CliResult r = RunCli({"export", "counts", "good.ZV1", "missing.ZV1", "--out", "file"}, dir.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_TRUE(r.err.ends_with("1 of 2 files failed\n")) << r.err;
}

}  // namespace
}  // namespace zorvel::testing
