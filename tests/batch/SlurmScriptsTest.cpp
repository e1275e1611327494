// The generated cluster scripts: one array task per shard, the merge after all of them, memory
// from the measured peak, and submit lines a shell runs as printed.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "batch/Plan.h"
#include "batch/ShardStatus.h"
#include "batch/SlurmScripts.h"
#include "support/TempDir.h"

namespace zorvel::batch {
namespace {

namespace fs = std::filesystem;
using zorvel::testing::TempDir;

std::string Read(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SlurmScripts, MemoryIsHalfAgainThePeakInWhole64MiB) {
  EXPECT_EQ(MemoryForPeak(0), "256M");
  EXPECT_EQ(MemoryForPeak(100 * 1024), "256M");
  EXPECT_EQ(MemoryForPeak(400 * 1024), "640M");  // 600 MiB rounded up
  EXPECT_EQ(MemoryForPeak(1024 * 1024), "1536M");
}

TEST(SlurmScripts, QuotedTextSurvivesTheShell) {
  const std::string text = "it's a $HOME \"folder\"";
  FILE* p = ::popen(("printf %s " + ShellQuoted(text)).c_str(), "r");
  ASSERT_NE(p, nullptr);
  char buf[128] = {};
  const size_t n = std::fread(buf, 1, sizeof buf - 1, p);
  ::pclose(p);
  EXPECT_EQ(std::string(buf, n), text);
}

TEST(SlurmScripts, ArrayAndMergeScriptsFromThePlan) {
  TempDir tmp;
  const fs::path root = tmp / "";
  for (int i = 0; i < 3; ++i) {
    fs::create_directories(root / ("c" + std::to_string(i)));
    std::ofstream(root / ("c" + std::to_string(i)) / "0BAT000.NXQ") << "x";
  }
  std::ofstream(root / "m.csv")
      << "input,site,lat,long,utc,time_expansion,classifier\nc0,,,,,,\nc1,,,,,,\nc2,,,,,,\n";
  const std::string dir = (root / "plan").string();
  ASSERT_TRUE(WritePlan((root / "m.csv").string(), 3, dir).ok);
  SlurmOptions o;
  o.jobs = 4;
  o.partition = "bats";
  o.time = "02:00:00";
  o.cli = "/opt/zorvel/zorvel-cli";
  const SlurmScripts unmeasured = WriteSlurmScripts(dir, o);
  ASSERT_TRUE(unmeasured.ok) << unmeasured.message;
  EXPECT_FALSE(unmeasured.memMeasured);
  EXPECT_EQ(unmeasured.mem, "2048M");
  // A shard that has run sets the memory from its peak.
  fs::create_directories(ShardDir(dir, 2));
  ASSERT_TRUE(WriteStatus(ShardDir(dir, 2), {{2, "c1", "done", "", 1, 1.0, 400 * 1024}}, nullptr));
  const SlurmScripts s = WriteSlurmScripts(dir, o);
  ASSERT_TRUE(s.ok);
  EXPECT_TRUE(s.memMeasured);
  const std::string array = Read(s.arrayScript), merge = Read(s.mergeScript);
  for (const char* line : {"#SBATCH --array=1-3\n", "#SBATCH --cpus-per-task=4\n", "#SBATCH --mem=640M\n",
                           "#SBATCH --partition=bats\n", "#SBATCH --time=02:00:00\n"})
    EXPECT_NE(array.find(line), std::string::npos) << line;
  EXPECT_NE(array.find("exec '/opt/zorvel/zorvel-cli' batch run '" + dir +
                       "' --shard \"$SLURM_ARRAY_TASK_ID\" --jobs 4\n"),
            std::string::npos)
      << array;
  EXPECT_NE(merge.find("#SBATCH --kill-on-invalid-dep=yes\n"), std::string::npos);
  EXPECT_NE(merge.find("batch merge '" + dir + "' --out '" + dir + "/survey.zvs'\n"), std::string::npos)
      << merge;
  ASSERT_EQ(s.submitLines.size(), 2u);
  EXPECT_EQ(s.submitLines[0], "jid=$(sbatch --parsable '" + s.arrayScript + "')");
  EXPECT_EQ(s.submitLines[1], "sbatch --dependency=afterok:${jid%%;*} '" + s.mergeScript + "'");
  // Given memory wins over the measured peak.
  o.mem = "8G";
  EXPECT_NE(Read(WriteSlurmScripts(dir, o).arrayScript).find("#SBATCH --mem=8G\n"), std::string::npos);
}

}  // namespace
}  // namespace zorvel::batch
