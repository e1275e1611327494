// Shards balanced by bytes and always the same; the plan folder and its refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numeric>

#include "batch/Plan.h"
#include "support/TempDir.h"

namespace zorvel::batch {
namespace {

namespace fs = std::filesystem;
using zorvel::testing::TempDir;

std::vector<int64_t> Loads(const std::vector<int64_t>& bytes, const std::vector<int>& shardOf, int n) {
  std::vector<int64_t> load(static_cast<size_t>(n), 0);
  for (size_t i = 0; i < bytes.size(); ++i) load[static_cast<size_t>(shardOf[i])] += bytes[i];
  return load;
}

TEST(AssignShards, LargestFirstToTheLightestShard) {
  const std::vector<int64_t> bytes = {10, 1, 9, 8, 1, 3};
  const std::vector<int> s = AssignShards(bytes, 2);
  // 10, then 9 and 8 to the other, then 3, 1 and 1 back to the first.
  EXPECT_EQ(s, (std::vector<int>{0, 0, 1, 1, 0, 0}));
  EXPECT_EQ(Loads(bytes, s, 2), (std::vector<int64_t>{15, 17}));
  // More shards than inputs: each input alone, the last shards empty.
  EXPECT_EQ(AssignShards({5, 7}, 4), (std::vector<int>{1, 0}));
  // Equal sizes go round in line order.
  EXPECT_EQ(AssignShards({4, 4, 4, 4, 4}, 3), (std::vector<int>{0, 1, 2, 0, 1}));
}

TEST(AssignShards, BalancedWithinTheLargestInput) {
  std::vector<int64_t> bytes;
  for (int i = 0; i < 200; ++i) bytes.push_back(1000 + (i * 7919) % 5000);
  for (int n : {2, 3, 7, 16}) {
    const std::vector<int64_t> load = Loads(bytes, AssignShards(bytes, n), n);
    const auto [lo, hi] = std::minmax_element(load.begin(), load.end());
    EXPECT_LE(*hi - *lo, *std::max_element(bytes.begin(), bytes.end())) << n;
    EXPECT_EQ(std::accumulate(load.begin(), load.end(), int64_t{0}),
              std::accumulate(bytes.begin(), bytes.end(), int64_t{0}));
  }
}

class PlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 5; ++i) {
      fs::create_directories(root / ("card" + std::to_string(i)));
      std::ofstream(root / ("card" + std::to_string(i)) / "0BAT000.NXQ") << std::string(100 * (i + 1), 'x');
    }
    std::ofstream(root / "m.csv") << "input,site,lat,long,utc,time_expansion,classifier\n"
                                     "card0,,,,,,\ncard1,,,,,,\ncard2,,,,,,\ncard3,,,,,,\ncard4,,,,,,\n";
  }
  std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  TempDir tmp;
  fs::path root = fs::path(tmp / "");
};

TEST_F(PlanTest, PlanningAgainGivesTheSameBytesAndLoadsBack) {
  const std::string dir = (root / "plan").string();
  const PlanOutcome a = WritePlan((root / "m.csv").string(), 2, dir);
  ASSERT_TRUE(a.ok) << a.message;
  const std::string csv = Read(root / "plan" / "plan.csv");
  EXPECT_EQ(Read(root / "plan" / "manifest.csv"), Read(root / "m.csv"));
  ASSERT_TRUE(WritePlan((root / "m.csv").string(), 2, dir).ok);
  EXPECT_EQ(Read(root / "plan" / "plan.csv"), csv);
  // 500+200+100 against 400+300
  EXPECT_EQ(csv, "shard,line,bytes,input\n1,2,100," + (root / "card0").string() + "\n1,3,200," +
                     (root / "card1").string() + "\n1,6,500," + (root / "card4").string() + "\n2,4,300," +
                     (root / "card2").string() + "\n2,5,400," + (root / "card3").string() + "\n");
  const LoadedPlan p = LoadPlan(dir);
  ASSERT_TRUE(p.ok) << p.message;
  EXPECT_EQ(p.id.shards, 2);
  ASSERT_EQ(p.RowsOf(2).size(), 2u);
  EXPECT_EQ(p.RowsOf(2)[0]->line, 4);
}

TEST_F(PlanTest, AFolderOfAnotherManifestOrShardCountIsRefused) {
  const std::string dir = (root / "plan").string();
  ASSERT_TRUE(WritePlan((root / "m.csv").string(), 2, dir).ok);
  const PlanOutcome otherN = WritePlan((root / "m.csv").string(), 3, dir);
  EXPECT_FALSE(otherN.ok);
  EXPECT_EQ(otherN.message,
            dir + " was planned from another manifest or shard count; plan into a new folder");
  std::ofstream(root / "m.csv", std::ios::app) << "card0,,,,,,ZorvelEU1\n";
  EXPECT_FALSE(WritePlan((root / "m.csv").string(), 2, dir).ok);
  EXPECT_EQ(LoadPlan(dir).id.shards, 2);  // the old plan stands
}

TEST_F(PlanTest, ABadManifestWritesNothing) {
  std::ofstream(root / "m.csv", std::ios::app) << "gone,,,,,,\n";
  const PlanOutcome r = WritePlan((root / "m.csv").string(), 2, (root / "plan").string());
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("m.csv:7: no such file or folder: gone"), std::string::npos) << r.message;
  EXPECT_FALSE(fs::exists(root / "plan"));
}

TEST_F(PlanTest, AChangedManifestCopyOrAMissingPlanIsRefusedOnLoading) {
  const std::string dir = (root / "plan").string();
  EXPECT_EQ(LoadPlan(dir).message, dir + " holds no plan (plan.id); run `batch plan` first");
  ASSERT_TRUE(WritePlan((root / "m.csv").string(), 2, dir).ok);
  std::ofstream(root / "plan" / "manifest.csv", std::ios::app) << "card0,,,,,,ZorvelEU1\n";
  const LoadedPlan p = LoadPlan(dir);
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.message, "manifest.csv no longer matches the plan in " + dir);
}

}  // namespace
}  // namespace zorvel::batch
