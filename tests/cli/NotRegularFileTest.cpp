// A named pipe, a device, a link to nothing or a link that loops is refused by name, by every
// command, at once: nothing waits on a pipe that no one writes. A folder named like a recording
// is named as a folder. Each run has a time limit, so a hang fails the test instead of stalling it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/CliRun.h"

namespace zorvel::testing {
namespace {

namespace fs = std::filesystem;

constexpr CliLimits kNoHang{.seconds = 20};

class NotRegularFile : public ::testing::Test {
 protected:
  NotRegularFile() {
    CopyCorpus(dir.Path());
    fs::create_directories(dir / "in");
    EXPECT_EQ(mkfifo((dir / "in/20260601_220000_fifo.wav").c_str(), 0600), 0);
    EXPECT_EQ(mkfifo((dir / "pipe.ZV1").c_str(), 0600), 0);
    EXPECT_EQ(mkfifo((dir / "pipe.zvf").c_str(), 0600), 0);
    fs::create_symlink("gone.wav", dir / "in/20260601_220100_dangling.wav");
    fs::create_symlink("loop2.ZV1", dir / "loop1.ZV1");
    fs::create_symlink("loop1.ZV1", dir / "loop2.ZV1");
    fs::create_symlink("gone.ZV1", dir / "dangling.ZV1");
    fs::create_directories(dir / "in/x.wav");
    fs::create_directories(dir / "x.wav");
  }
  CliResult Run(const std::vector<std::string>& args) { return RunCli(args, dir.Path(), kNoHang); }
  ::zorvel::testing::TempDir dir;
};

TEST_F(NotRegularFile, DataFileCommandsNameWhatIsNotAFile) {
  const struct {
    const char* path;
    const char* reason;
  } inputs[] = {{"pipe.ZV1", "pipe.ZV1: is a named pipe (FIFO), not a regular file"},
                {"/dev/zero", "/dev/zero: is a device, not a regular file"},
                {"loop1.ZV1", "loop1.ZV1: is a link that loops"},
                {"dangling.ZV1", "dangling.ZV1: is a link whose target does not exist"}};
  for (const auto& in : inputs) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"info", in.path}, std::vector<std::string>{"dump", in.path},
          std::vector<std::string>{"map", in.path}, std::vector<std::string>{"list", "times", in.path},
          std::vector<std::string>{"export", "counts", in.path, "--out", "file"},
          std::vector<std::string>{"export", "calls", in.path},
          std::vector<std::string>{"export", "passes", in.path},
          std::vector<std::string>{"wav", in.path, "--from", "66491640", "--to", "66491640", "--out",
                                   "a.wav"},
          std::vector<std::string>{"files", "copy-period", in.path, "--from", "66491640", "--to",
                                   "66491641"}}) {
      const CliResult r = Run(args);
      EXPECT_EQ(r.code, 1) << args[0] << " " << in.path << "\n" << r.err;
      EXPECT_NE(r.err.find(in.reason), std::string::npos) << args[0] << " " << in.path << "\n" << r.err;
    }
  }
  // export calls --dir names what it finds in the folder that is not a file, and goes on.
  fs::create_directories(dir / "zv2s");
  fs::copy_file(dir / "good.ZV2", dir / "zv2s/good.ZV2");
  ASSERT_EQ(mkfifo((dir / "zv2s/pipe.ZV2").c_str(), 0600), 0);
  const CliResult folder = Run({"export", "calls", "--dir", "zv2s"});
  EXPECT_EQ(folder.code, 1);
  EXPECT_NE(folder.err.find("zv2s/pipe.ZV2: is a named pipe (FIFO), not a regular file"), std::string::npos)
      << folder.err;
  EXPECT_NE(folder.out.find("1 files successfully read of 2 files selected."), std::string::npos)
      << folder.out;
  EXPECT_TRUE(folder.err.ends_with("1 of 2 files failed\n")) << folder.err;
  const CliResult settings = Run({"export", "counts", "good.ZV2", "--filters", "pipe.zvf"});
  EXPECT_EQ(settings.code, 2);
  EXPECT_NE(settings.err.find("pipe.zvf: is a named pipe (FIFO), not a regular file"), std::string::npos)
      << settings.err;
}

TEST_F(NotRegularFile, RecordingCommandsNameWhatIsNotARecording) {
  const CliResult given = Run({"import-recordings", "in/20260601_220000_fifo.wav", "--out", "out"});
  EXPECT_EQ(given.code, 1) << given.err;
  EXPECT_NE(given.err.find("in/20260601_220000_fifo.wav: is a named pipe (FIFO), not a regular file"),
            std::string::npos)
      << given.err;
  // In a folder, each entry that is not a file is named, not passed over in silence.
  const CliResult folder = Run({"import-recordings", "in", "--out", "out"});
  EXPECT_EQ(folder.code, 1) << folder.err;
  for (const char* said :
       {"in/20260601_220000_fifo.wav: is a named pipe (FIFO), not a regular file",
        "in/20260601_220100_dangling.wav: is a link whose target does not exist", "in/x.wav: is a folder"})
    EXPECT_NE(folder.err.find(said), std::string::npos) << said << "\n" << folder.err;
  const CliResult xwav = Run({"import-recordings", "x.wav", "--out", "out"});
  EXPECT_EQ(xwav.code, 1);
  EXPECT_NE(xwav.err.find("x.wav: is a folder"), std::string::npos) << xwav.err;
  const CliResult list = Run({"list", "recordings", "x.wav", "in/20260601_220000_fifo.wav"});
  EXPECT_EQ(list.code, 1);
  EXPECT_NE(list.err.find("x.wav: is a folder"), std::string::npos) << list.err;
  EXPECT_NE(list.err.find("fifo.wav: is a named pipe"), std::string::npos) << list.err;
}

}  // namespace
}  // namespace zorvel::testing
