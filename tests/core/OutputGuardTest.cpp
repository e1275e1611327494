#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/Messages.h"
#include "core/OutputGuard.h"
#include "support/TempDir.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

class OutputGuardTest : public ::testing::Test {
 protected:
  OutputGuardTest() {
    std::ofstream(dir / "night.ZV2") << "data";
    std::ofstream(dir / "notes.txt") << "text";
  }
  testing::TempDir dir;
};

// Every way of naming the same file is caught: "./x", "a/../x", a link, a hard link.
TEST_F(OutputGuardTest, AnInputNamedAnotherWayIsStillTheInput) {
  const std::string input = dir / "night.ZV2";
  fs::create_symlink(input, dir / "link.txt");
  fs::create_hard_link(input, dir / "hard.txt");
  fs::create_directory(dir / "sub");
  for (const std::string& out :
       {input, (dir.Path() / "." / "night.ZV2").string(), (dir.Path() / "sub" / ".." / "night.ZV2").string(),
        dir / "link.txt", dir / "hard.txt"})
    EXPECT_EQ(OutputProblem(out, {dir / "notes.txt", input}), msg::kOutputIsInput) << out;
  EXPECT_EQ(OutputProblem(dir / "notes.txt", {input}), "") << "another file may be written";
  EXPECT_EQ(OutputProblem(dir / "new report.txt", {input}), "") << "a file not there yet";
  EXPECT_EQ(OutputProblem(dir / "sub", {input}), msg::kOutputIsFolder);
}

// Text never goes to a data file's name (any letter case) nor through a link to one; a data
// file copy may have a data file's name but never a map's or summary's.
TEST_F(OutputGuardTest, NamesAreRefusedByWhatIsWritten) {
  for (const char* name : {"a.ZV1", "a.zv2", "a.Zv3", "a.z1m", "a.Z2M", "a.z3m", "a.z1s", "a.z2s", "a.Z3S"}) {
    EXPECT_EQ(OutputProblem(dir / name, {}), msg::kOutputIsDataFile) << name;
    EXPECT_TRUE(HasDataFileExtension(name)) << name;
  }
  for (const char* name : {"a.txt", "a.wav", "a.zv4", "a.z4m", "a.zvf", "a.zve", "ZV1", "a.ZV1.txt"})
    EXPECT_EQ(OutputProblem(dir / name, {}), "") << name;
  EXPECT_EQ(OutputProblem(dir / "copy.ZV1", {}, OutputKind::DataFile), "");
  EXPECT_EQ(OutputProblem(dir / "copy.z1m", {}, OutputKind::DataFile), msg::kOutputIsSidecar);
  EXPECT_EQ(OutputProblem(dir / "copy.Z2S", {}, OutputKind::DataFile), msg::kOutputIsSidecar);
  fs::create_symlink(dir / "night.ZV2", dir / "report.txt");
  EXPECT_EQ(OutputProblem(dir / "report.txt", {}), msg::kOutputIsDataFile);
}

TEST_F(OutputGuardTest, WhatIsNotARegularFileIsNamed) {
  ASSERT_EQ(mkfifo((dir / "pipe.wav").c_str(), 0600), 0);
  fs::create_symlink(dir / "gone.wav", dir / "dangling.wav");
  fs::create_symlink(dir / "loop2.wav", dir / "loop1.wav");
  fs::create_symlink(dir / "loop1.wav", dir / "loop2.wav");
  fs::create_symlink(dir / "notes.txt", dir / "good-link.txt");
  EXPECT_EQ(NotRegularFileProblem(dir / "pipe.wav"), msg::kNotRegularFifo);
  EXPECT_EQ(NotRegularFileProblem("/dev/null"), msg::kNotRegularDevice);
  EXPECT_EQ(NotRegularFileProblem(dir / "dangling.wav"), msg::kDanglingLink);
  EXPECT_EQ(NotRegularFileProblem(dir / "loop1.wav"), msg::kLoopingLink);
  EXPECT_EQ(NotRegularFileProblem(dir / "good-link.txt"), "");
  EXPECT_EQ(NotRegularFileProblem(dir / "notes.txt"), "");
  EXPECT_EQ(NotRegularFileProblem(dir / "nothing.txt"), "") << "absence has its own message";
}

}  // namespace
}  // namespace zorvel
