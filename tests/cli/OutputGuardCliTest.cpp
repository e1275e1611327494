// No command writes its output over one of its own inputs or over a data file, however the name
// is spelt: each refuses with exit 2 and the output's name, and every input keeps its bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

class OutputGuardCli : public ::testing::Test {
 protected:
  OutputGuardCli() {
    CopyCorpus(dir.Path());
    fs::create_symlink("good.ZV2", dir / "link.txt");
    fs::create_directories(dir / "card");
  }
  // Runs the command and checks the refusal: exit 2, the output named, the inputs unchanged.
  void ExpectRefused(const std::vector<std::string>& args, const std::string& output) {
    const std::vector<uint8_t> zv1 = ReadAll(dir / "good.ZV1"), zv2 = ReadAll(dir / "good.ZV2");
    const CliResult r = RunCli(args, dir.Path());
    EXPECT_EQ(r.code, 2) << args[0] << " " << args[1] << "\n" << r.err;
    EXPECT_NE(r.err.find(output + ": is "), std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("exported to"), std::string::npos) << r.out;
    EXPECT_EQ(ReadAll(dir / "good.ZV1"), zv1) << "good.ZV1 changed by " << args[0];
    EXPECT_EQ(ReadAll(dir / "good.ZV2"), zv2) << "good.ZV2 changed by " << args[0];
  }
  ::zorvel::testing::TempDir dir;
};

TEST_F(OutputGuardCli, ExportsNeverReplaceTheirInputs) {
  for (const std::string out :
       {"good.ZV2", "./good.ZV2", "card/../good.ZV2", "link.txt", "good.ZV1", "x.z2m"})
    ExpectRefused({"export", "passes", "good.ZV2", "--out", out}, out);
  // A link where the call list would go, leading to a data file.
  fs::create_symlink("good.ZV1", dir / "good call details.txt");
  ExpectRefused({"export", "calls", "good.ZV2"}, "good call details.txt");
}

TEST_F(OutputGuardCli, SoundAndLoggerFilesNeverReplaceDataFiles) {
  ExpectRefused(
      {"wav", "good.ZV1", "--from", "2026-06-01 18:00", "--to", "2026-06-01 18:00:01", "--out", "./good.ZV1"},
      "./good.ZV1");
  ExpectRefused({"wav", "--sweep", "--out", "good.ZV2"}, "good.ZV2");
  ExpectRefused({"logger", "settings", "--out", "good.ZV1"}, "good.ZV1");
  ExpectRefused({"logger", "clock", "--out", "link.txt", "--at", "2026-06-01 12:00"}, "link.txt");
  ExpectRefused({"find-calls", "good.ZV1", "--classifier-export", "good.ZV1"}, "good.ZV1");
}

TEST_F(OutputGuardCli, FileCopiesNeverReplaceTheirSources) {
  ExpectRefused({"files", "copy-period", "good.ZV1", "--from", "66491640", "--to", "66491641", "--out",
                 "card/../good.ZV1", "--yes"},
                "card/../good.ZV1");
  // The second copy takes the first copy's name with the ZV2 extension: here the ZV2 input.
  ExpectRefused({"files", "copy-period", "good.ZV1", "good.ZV2", "--from", "66491640", "--to", "66491641",
                 "--out", "good.ZV1x", "--yes"},
                "good.ZV2");
  ExpectRefused(
      {"files", "copy-period", "good.ZV1", "--from", "66491640", "--to", "66491641", "--out", "cut.z1m"},
      "cut.z1m");
  ExpectRefused({"files", "join", "good.ZV1", "./good.ZV1", "--first-file-copied"}, "good.ZV1");
  // The crop's copy of b.ZV1 would be named "b PART 10.ZV1", the next file to crop.
  fs::copy_file(dir / "good.ZV1", dir / "b.ZV1");
  fs::copy_file(dir / "good.ZV1", dir / "b PART 10.ZV1");
  const std::vector<uint8_t> before = ReadAll(dir / "b PART 10.ZV1");
  const CliResult crop =
      RunCli({"files", "crop", "--like", "good.ZV1", "b.ZV1", "b PART 10.ZV1", "--yes"}, dir.Path());
  EXPECT_NE(crop.code, 0);
  EXPECT_NE(crop.err.find("b PART 10.ZV1: is one of this command's inputs"), std::string::npos) << crop.err;
  EXPECT_EQ(ReadAll(dir / "b PART 10.ZV1"), before);
}

TEST_F(OutputGuardCli, AnImportNeverWritesIntoTheCardItReads) {
  const CliResult sim = RunCli({"simulate", "--out", "card", "--nights", "1", "--seed", "3"}, dir.Path());
  ASSERT_EQ(sim.code, 0) << sim.err;
  std::vector<std::string> before;
  for (const auto& e : fs::directory_iterator(dir / "card")) before.push_back(e.path().filename().string());
  for (const std::string out : {"card", "./card/", "card/zv1"}) {
    const CliResult r = RunCli({"import", "card", "--out", out, "--quiet"}, dir.Path());
    EXPECT_EQ(r.code, 2) << out << ": " << r.err;
    EXPECT_NE(r.err.find(out + ": is, or lies inside, a folder this command reads from"), std::string::npos)
        << r.err;
  }
  std::vector<std::string> after;
  for (const auto& e : fs::directory_iterator(dir / "card")) after.push_back(e.path().filename().string());
  EXPECT_EQ(after.size(), before.size()) << "nothing was added to the card";
}

// Standard output sent into an input ("list times x.ZV2 >> x.ZV2") is refused before a byte goes.
TEST_F(OutputGuardCli, StandardOutputIntoAnInputIsRefused) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"list", "times", "good.ZV2"},
        std::vector<std::string>{"export", "counts", "good.ZV2", "--out", "results"}}) {
    const std::string target = dir / "good.ZV2";
    const CliResult r = RunCli(args, dir.Path(), {.stdoutPath = target.c_str()});
    EXPECT_EQ(r.code, 2) << args[0] << r.err;
    EXPECT_NE(r.err.find("standard output is "), std::string::npos) << r.err;
  }
  // The harness opened it for writing (truncating, as a shell's ">" would); what matters is that
  // no text went in: the file is empty, not a listing.
  EXPECT_EQ(ReadAll(dir / "good.ZV2").size(), 0u);
  const std::string other = dir / "copy.ZV1";
  const CliResult r = RunCli({"list", "times", "good.ZV1"}, dir.Path(), {.stdoutPath = other.c_str()});
  EXPECT_EQ(r.code, 2) << "a listing named as a data file: " << r.err;
}

}  // namespace
}  // namespace zorvel::testing
