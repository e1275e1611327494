// zorvel-cli batch as a user runs it: exit codes and messages, a full disk during a task (a
// file-size limit stands in for it) that loses nothing already done, and the run after it.
#include <gtest/gtest.h>

#include <filesystem>

#include "../cli/CliRun.h"
#include "Scheme.h"
#include "batch/Plan.h"
#include "batch/ShardRun.h"
#include "batch/ShardStatus.h"

namespace zorvel::batch {
namespace {

namespace fs = std::filesystem;
using namespace zorvel::testing;

TEST(BatchCli, AFullDiskFailsTheInputsItHitsAndTheNextRunFinishesThem) {
  TempDir tmp;
  const fs::path root = tmp / "";
  std::vector<SchemeCard> cards = MakeScheme(2);
  for (SchemeCard& c : cards) {
    const fs::path to = root / fs::path(c.folder).filename();
    fs::copy(c.folder, to, fs::copy_options::recursive);
    c.folder = to.string();
  }
  WriteText((root / "m.csv").string(), ManifestText(cards, true));
  const CliResult plan = RunCli({"batch", "plan", "m.csv", "--shards", "1", "--out", "plan"}, root);
  ASSERT_EQ(plan.code, 0) << plan.err;
  EXPECT_EQ(plan.out.rfind("shard 1: 2 inputs, ", 0), 0u) << plan.out;

  CliLimits full;
  full.fileSizeBytes = 64 * 1024;  // the ZV1 files do not fit
  const CliResult r = RunCli({"batch", "run", "plan", "--shard", "1", "--jobs", "1"}, root, full);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("line 2 card0: failed: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("0 done, 0 skipped, 2 failed of 2 inputs"), std::string::npos) << r.err;
  std::vector<InputStatus> status;
  ASSERT_TRUE(ReadStatus(ShardDir((root / "plan").string(), 1), status));
  EXPECT_EQ(status[0].state, "failed");
  EXPECT_TRUE(fs::is_empty(root / "plan" / "shard-1" / "inputs"));
  const CliResult refused = RunCli({"batch", "merge", "plan", "--out", "s.zvs"}, root);
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.err, "shards not finished: shard-1\n");

  const CliResult again = RunCli({"batch", "run", "plan", "--shard", "1", "--jobs", "1"}, root);
  EXPECT_EQ(again.code, 0) << again.err;
  EXPECT_NE(again.err.find("2 done, 0 skipped, 0 failed of 2 inputs"), std::string::npos) << again.err;
  const CliResult merged = RunCli({"batch", "merge", "plan", "--out", "s.zvs"}, root);
  EXPECT_EQ(merged.code, 0) << merged.err;
  EXPECT_NE(ExportAll((root / "s.zvs").string()).find("Site 1"), std::string::npos);
}

TEST(BatchCli, RefusalsExitOneWithTheirReason) {
  TempDir tmp;
  const fs::path root = tmp / "";
  WriteText((root / "m.csv").string(),
            "input,site,lat,long,utc,time_expansion,classifier\r\nnowhere,,,,,,\r\n");
  const CliResult bad = RunCli({"batch", "plan", "m.csv", "--shards", "2", "--out", "plan"}, root);
  EXPECT_EQ(bad.code, 1);
  EXPECT_EQ(bad.err, "m.csv:2: no such file or folder: nowhere\n");
  EXPECT_FALSE(fs::exists(root / "plan"));
  const CliResult noPlan = RunCli({"batch", "run", "plan", "--shard", "1"}, root);
  EXPECT_EQ(noPlan.code, 1);
  EXPECT_EQ(noPlan.err, "plan holds no plan (plan.id); run `batch plan` first\n");
  const CliResult zero = RunCli({"batch", "plan", "m.csv", "--shards", "0", "--out", "plan"}, root);
  EXPECT_NE(zero.code, 0);
  EXPECT_NE(zero.err.find("--shards"), std::string::npos) << zero.err;
}

}  // namespace
}  // namespace zorvel::batch
