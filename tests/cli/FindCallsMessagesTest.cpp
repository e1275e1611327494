// What find-calls says when an input is a folder or its classifier export cannot be written: the
// reason is the true one, and the counts it prints agree with each other.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

TEST(FindCallsMessages, AFolderIsNamedAsAFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir / "night.ZV1");
  const CliResult r = RunCli({"find-calls", "night.ZV1"}, dir.Path());
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("night.ZV1: is a folder, not a file"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("file not found"), std::string::npos) << r.err;
}

TEST(FindCallsMessages, AnUnwritableExportIsNotCountedAsAnInputFile) {
  TempDir dir;
  CopyCorpus(dir.Path());
  const CliResult r =
      RunCli({"find-calls", "good.ZV1", "--classifier-export", "no/such/folder/calls.txt"}, dir.Path());
  EXPECT_EQ(r.code, 1) << "the export asked for was not written";
  EXPECT_NE(r.err.find("Files processed\t1/1"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no/such/folder/calls.txt: the classifier export file could not be written"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("of 2 files failed"), std::string::npos) << "one input was given\n" << r.err;
  EXPECT_EQ(r.err.find("Some files could not be processed"), std::string::npos) << "the one file was\n" << r.err;
  EXPECT_TRUE(std::filesystem::exists(dir / "good.ZV2"));
}

}  // namespace
}  // namespace zorvel::testing
