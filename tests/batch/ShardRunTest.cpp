// Shard runs and their merge over a simulated scheme: the merge equals one survey of the same
// inputs for any number of shards; runs skip what they finished, redo what a killed run left,
// refuse a second task and another plan's folder; the merge refuses unfinished, running and
// damaged shards.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "Scheme.h"
#include "batch/Merge.h"
#include "batch/Messages.h"
#include "batch/Plan.h"
#include "batch/ShardRun.h"
#include "support/TempDir.h"

namespace zorvel::batch {
namespace {

namespace fs = std::filesystem;
using namespace zorvel::testing;

constexpr int kCards = 8;

class ShardRunTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    cards_ = new std::vector<SchemeCard>(MakeScheme(kCards));
    WriteText(SchemeRoot() + "/scheme.csv", ManifestText(*cards_, true));
    oneMachine_ = new std::string(ExportAll(OneMachineSurvey(*cards_, SchemeRoot() + "/one")));
  }
  static void TearDownTestSuite() {
    delete cards_;
    delete oneMachine_;
    std::error_code ec;
    fs::remove_all(SchemeRoot(), ec);
  }
  std::string Plan(int shards) {
    const std::string dir = tmp / ("plan" + std::to_string(shards));
    const PlanOutcome p = WritePlan(SchemeRoot() + "/scheme.csv", shards, dir);
    EXPECT_TRUE(p.ok) << p.message;
    return dir;
  }
  RunOutcome Run(const std::string& dir, int shard) { return RunShard(dir, shard, RunOptions{2}, host); }
  static std::vector<SchemeCard>* cards_;
  static std::string* oneMachine_;
  TempDir tmp;
  RecordingHost host;
};
std::vector<SchemeCard>* ShardRunTest::cards_ = nullptr;
std::string* ShardRunTest::oneMachine_ = nullptr;

TEST_F(ShardRunTest, TheMergeEqualsOneSurveyForAnyNumberOfShards) {
  ASSERT_NE(oneMachine_->find("Site 7"), std::string::npos);
  ASSERT_NE(oneMachine_->find("ZorvelEU1"), std::string::npos);
  ASSERT_GT(std::count(oneMachine_->begin(), oneMachine_->end(), '\n'),
            100);  // passes and nights, not headings only
  for (int n : {1, 2, 4, 7}) {
    const std::string dir = Plan(n);
    int done = 0;
    for (int k = 1; k <= n; ++k) {
      const RunOutcome r = Run(dir, k);
      ASSERT_TRUE(r.ran) << r.message;
      EXPECT_EQ(r.failed, 0);
      done += r.done;
    }
    EXPECT_EQ(done, kCards);
    const std::string out = tmp / ("merged" + std::to_string(n) + ".zvs");
    const MergeResult m = MergeShards(dir, out, host);
    ASSERT_TRUE(m.ok) << m.message;
    EXPECT_EQ(ExportAll(out), *oneMachine_) << n << " shards";
    // Merging again builds the same file, byte for byte.
    const std::string first = ReadText(out);
    ASSERT_TRUE(MergeShards(dir, out, host).ok);
    EXPECT_EQ(ReadText(out), first) << n << " shards";
  }
}

TEST_F(ShardRunTest, ARunAgainSkipsWhatIsDoneAndRedoesWhatAKilledRunLeft) {
  const std::string dir = Plan(2);
  const RunOutcome first = Run(dir, 1);
  ASSERT_TRUE(first.ran) << first.message;
  ASSERT_GE(first.done, 2);
  const std::string shardDir = ShardDir(dir, 1);
  std::vector<InputStatus> status;
  ASSERT_TRUE(ReadStatus(shardDir, status));
  ASSERT_EQ(status.size(), static_cast<size_t>(first.done));
  for (const InputStatus& s : status) {
    EXPECT_EQ(s.state, msg::kStateDone);
    EXPECT_GT(s.bytes, 0);
    EXPECT_GT(s.peakKib, 0);
  }
  const std::string survey = ExportAll(ShardSurveyPath(shardDir));
  // A task killed in its second input: the finished folder is gone, a half-made one is left.
  const fs::path second = fs::path(shardDir) / "inputs" / ("line-" + std::to_string(status[1].line));
  fs::rename(second, fs::path(second).concat(".part"));
  WriteText((fs::path(second).concat(".part") / "half.ZV1").string(), "half");
  const RunOutcome again = Run(dir, 1);
  EXPECT_EQ(again.done, 1);
  EXPECT_EQ(again.skipped, first.done - 1);
  EXPECT_TRUE(again.status[1].skippedNow == false && again.status[0].skippedNow);
  EXPECT_FALSE(fs::exists(fs::path(second).concat(".part")));
  EXPECT_TRUE(fs::exists(second / "input.id"));
  EXPECT_EQ(ExportAll(ShardSurveyPath(shardDir)), survey);  // redone, not doubled
  // Nothing left to do.
  const RunOutcome third = Run(dir, 1);
  EXPECT_EQ(third.done, 0);
  EXPECT_EQ(third.skipped, first.done);
  // The status keeps what the first runs measured for the skipped inputs.
  std::vector<InputStatus> after;
  ASSERT_TRUE(ReadStatus(shardDir, after));
  EXPECT_EQ(after[0].seconds, status[0].seconds);
}

TEST_F(ShardRunTest, ASecondTaskOnTheShardAndAnotherPlansFolderAreRefused) {
  const std::string dir = Plan(2);
  fs::create_directories(ShardDir(dir, 2));
  {
    ShardLock held(LockPath(ShardDir(dir, 2)));
    ASSERT_TRUE(held.Held());
    const RunOutcome r = Run(dir, 2);
    EXPECT_FALSE(r.ran);
    EXPECT_EQ(r.message,
              "another task is running this shard (lock held: " + LockPath(ShardDir(dir, 2)) + ")");
    const MergeResult m = MergeShards(dir, tmp / "m.zvs", host);
    EXPECT_FALSE(m.ok);
    EXPECT_EQ(m.message, "shards still running: shard-2\nshards not finished: shard-1");
  }
  EXPECT_FALSE(Run(dir, 3).ran);
  // The shard folder of a plan made from another manifest.
  WriteText(ShardDir(dir, 2) + "/plan.id", "manifest-hash=0\nmanifest=/elsewhere.csv\nshards=2\n");
  const RunOutcome other = Run(dir, 2);
  EXPECT_FALSE(other.ran);
  EXPECT_EQ(other.message,
            ShardDir(dir, 2) + " holds the work of another plan; remove it or plan into a new folder");
}

TEST_F(ShardRunTest, AFailedInputIsNamedTheOthersAreDoneAndTheMergeWaits) {
  // A card emptied after planning: its import finds nothing to read.
  const std::string copy = tmp / "cards";
  fs::create_directories(copy);
  std::vector<SchemeCard> two(cards_->begin(), cards_->begin() + 2);
  for (SchemeCard& c : two) {
    const std::string to = copy + "/" + fs::path(c.folder).filename().string();
    fs::copy(c.folder, to, fs::copy_options::recursive);
    c.folder = to;
  }
  WriteText(copy + "/m.csv", ManifestText(two, true));
  const std::string dir = tmp / "plan";
  ASSERT_TRUE(WritePlan(copy + "/m.csv", 1, dir).ok);
  for (const auto& f : fs::directory_iterator(two[1].folder)) fs::remove(f.path());
  const RunOutcome r = Run(dir, 1);
  ASSERT_TRUE(r.ran) << r.message;
  EXPECT_EQ(r.done, 1);
  EXPECT_EQ(r.failed, 1);
  std::vector<InputStatus> status;
  ASSERT_TRUE(ReadStatus(ShardDir(dir, 1), status));
  ASSERT_EQ(status.size(), 2u);
  EXPECT_EQ(status[0].state, msg::kStateDone);
  EXPECT_EQ(status[1].state, msg::kStateFailed);
  EXPECT_FALSE(status[1].reason.empty());
  EXPECT_FALSE(fs::exists(ShardDir(dir, 1) + "/inputs/line-3.part"));
  const MergeResult m = MergeShards(dir, tmp / "m.zvs", host);
  EXPECT_EQ(m.message, "shards not finished: shard-1");
  EXPECT_FALSE(fs::exists(tmp / "m.zvs"));
}

TEST_F(ShardRunTest, ADamagedShardSurveyIsRefusedByNameAndTheOldMergeStands) {
  const std::string dir = Plan(2);
  ASSERT_TRUE(Run(dir, 1).ran);
  ASSERT_TRUE(Run(dir, 2).ran);
  const std::string out = tmp / "m.zvs";
  ASSERT_TRUE(MergeShards(dir, out, host).ok);
  const std::string before = ReadText(out);
  const std::string damaged = ShardSurveyPath(ShardDir(dir, 2));
  std::string bytes = ReadText(damaged);
  ASSERT_GT(bytes.size(), 4096u);
  for (size_t i = 100; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  WriteText(damaged, bytes);
  const MergeResult m = MergeShards(dir, out, host);
  EXPECT_FALSE(m.ok);
  EXPECT_EQ(m.message.rfind("shard survey damaged: " + damaged, 0), 0u) << m.message;
  EXPECT_EQ(ReadText(out), before);
  EXPECT_FALSE(fs::exists(out + ".merge-part"));
}

}  // namespace
}  // namespace zorvel::batch
