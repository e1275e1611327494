#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/AtomicFile.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

// The id of a process that has certainly ended: a child that exits at once, waited for.
pid_t EndedProcess() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  int status = 0;
  waitpid(child, &status, 0);
  return child;
}

// A run killed before it could clean up leaves "<name>.<pid>.part"; the next writer of that name
// removes it, but never the file of a process that still runs, nor other files.
TEST(AtomicFile, WritersRemoveTemporariesOfEndedRuns) {
  testing::TempDir dir("atomic");
  const std::string target = dir.File("night.ZV2");
  const std::string stale = target + "." + std::to_string(EndedProcess()) + ".part";
  const std::string live = target + "." + std::to_string(getppid()) + ".part";
  const std::string other = dir.File("other.ZV2.1.part");
  const std::string odd = target + ".12x.part";
  for (const auto& p : {stale, live, other, odd}) testing::WriteAll(p, {1, 2, 3});
  ASSERT_TRUE(WriteWholeFile(target, "abc", 3));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(other));
  EXPECT_TRUE(fs::exists(odd));
  EXPECT_EQ(testing::ReadAll(target).size(), 3u);
}

}  // namespace
}  // namespace zorvel
