// An export that could read none of its files claims nothing and leaves no report; one that
// read some says how many, and its counts agree with the closing count of failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

class NothingExported : public ::testing::Test {
 protected:
  NothingExported() { CopyCorpus(dir.Path()); }
  // Report files in the folder ("… passes.txt", "… call details.txt", "… CallCounts.txt").
  std::vector<std::string> Reports() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(dir.Path())) {
      const std::string n = e.path().filename().string();
      if (n.ends_with("passes.txt") || n.ends_with("details.txt") || n.ends_with("Counts.txt") ||
          n.ends_with("DetEnv.txt"))
        out.push_back(n);
    }
    return out;
  }
  ::zorvel::testing::TempDir dir;
};

TEST_F(NothingExported, UnreadableFilesLeaveNoReportAndNoSuccessLine) {
  for (const char* file :
       {"missing.ZV2", "random_bytes.ZV2", "header_only.ZV1", "empty.ZV1", "blank_header.ZV1"}) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"export", "passes", file},
          std::vector<std::string>{"export", "calls", file},
          std::vector<std::string>{"export", "counts", file, "--out", "file"}}) {
      const CliResult r = RunCli(args, dir.Path());
      const std::string said = r.out + r.err;
      EXPECT_EQ(r.code, 1) << args[1] << " " << file << "\n" << said;
      EXPECT_NE(r.err.find(file), std::string::npos) << said;
      for (const char* claim : {"exported to", "Export Complete", "successfully read", "passes listed"})
        EXPECT_EQ(said.find(claim), std::string::npos) << args[1] << " " << file << " claims: " << claim;
      EXPECT_EQ(Reports(), std::vector<std::string>{}) << args[1] << " " << file;
    }
  }
}

// One good file and one that is only a header: the report holds the good one, the summary says
// one of two was read, and the closing count says one of two failed.
TEST_F(NothingExported, TheCountsOfAPartlyReadExportAgree) {
  const CliResult calls = RunCli({"export", "calls", "good.ZV2", "header_only.ZV1"}, dir.Path());
  EXPECT_EQ(calls.code, 1);
  EXPECT_NE(calls.out.find("1 files successfully read of 2 files selected."), std::string::npos) << calls.out;
  EXPECT_TRUE(calls.err.ends_with("1 of 2 files failed\n")) << calls.err;
  EXPECT_EQ(calls.out.find("\n\t0"), std::string::npos) << "no row for a file that was not read:\n"
                                                        << calls.out;
  EXPECT_TRUE(fs::exists(dir / "good call details.txt"));

  const CliResult passes = RunCli({"export", "passes", "good.ZV2", "random_bytes.ZV2"}, dir.Path());
  EXPECT_EQ(passes.code, 1);
  EXPECT_NE(passes.out.find("Passes exported to:"), std::string::npos) << passes.out;
  EXPECT_TRUE(passes.err.ends_with("1 of 2 files failed\n")) << passes.err;
  EXPECT_TRUE(fs::exists(dir / "good passes.txt"));
}

}  // namespace
}  // namespace zorvel::testing
