// A batch of many small files runs them side by side; what it writes and reports must be what
// running them one after another gives.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "SynthNight.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "callfinder/BatchFiles.h"
#include "core/AtomicFile.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

class BatchFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PopulatePrecalculatedArrays();
    dir_ = fs::temp_directory_path() / ("zorvel_bf_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Files of a few busy minutes each, their sizes varying so that they finish out of order.
  std::vector<std::string> SmallFiles(int n) {
    std::mt19937 rng(11);
    std::vector<std::string> files;
    for (int f = 0; f < n; ++f) {
      std::vector<std::vector<Record>> minutes;
      for (int m = 0; m < 1 + (f * 7) % 5; ++m)
        minutes.push_back(
            synth::MinuteRecords(synth::PassMinute(rng, 2 + f % 3, 10, 40 + 4 * (f % 5), 1500)));
      files.push_back(Path("f" + std::to_string(f) + ".ZV1"));
      EXPECT_TRUE(synth::WriteZv1(files.back(), 60'000'000 + 1440 * f, minutes));
    }
    return files;
  }

  struct Outcome {
    BatchResult result;
    std::vector<std::string> lines;
    std::vector<std::vector<uint8_t>> zv2s;
    std::vector<uint8_t> exported;
  };
  Outcome Run(const std::vector<std::string>& files, int jobs, int stopAfter = -1) {
    BatchOptions o;
    o.Jobs = jobs;
    o.settings.ExportToClassifier = true;
    o.classifierExportPath = Path("export" + std::to_string(jobs) + ".txt");
    test::RecordingHost host;
    host.stopAfterChecks = stopAfter;
    KeepAwake none;
    Outcome out;
    out.result = RunCallFindingBatch(files, o, host, none);
    out.lines = host.DataLines();
    for (const std::string& f : files) out.zv2s.push_back(test::FileBytes(WithExtension(f, ".ZV2")));
    out.exported = test::FileBytes(*o.classifierExportPath);
    return out;
  }

  fs::path dir_;
};

TEST_F(BatchFilesTest, SideBySideWritesAndReportsWhatOneAfterAnotherDoes) {
  std::vector<std::string> files = SmallFiles(9);
  const std::string tiny = Path("tiny.ZV1");
  ASSERT_TRUE(WriteWholeFile(tiny, std::string(900, '\0').data(), 900));
  files.insert(files.begin() + 3, tiny);
  files.insert(files.begin() + 6, Path("missing.ZV1"));
  ASSERT_TRUE(FilesSideBySide(files, 2));
  const Outcome one = Run(files, 1);
  for (const std::string& f : files) fs::remove(WithExtension(f, ".ZV2"));
  const Outcome two = Run(files, 2);
  EXPECT_EQ(one.result.processed, 9);
  EXPECT_EQ(two.result.processed, 9);
  EXPECT_EQ(two.result.failed, 2);  // too small, and not found
  ASSERT_EQ(one.result.failures.size(), two.result.failures.size());
  for (size_t i = 0; i < one.result.failures.size(); ++i) {
    EXPECT_EQ(one.result.failures[i].path, two.result.failures[i].path);
    EXPECT_EQ(one.result.failures[i].reason, two.result.failures[i].reason);
  }
  EXPECT_EQ(one.result.zv2Files, two.result.zv2Files);
  EXPECT_EQ(one.lines, two.lines);  // the summary lines in list order, "too small" in its place
  ASSERT_EQ(one.zv2s.size(), two.zv2s.size());
  for (size_t i = 0; i < one.zv2s.size(); ++i) EXPECT_TRUE(one.zv2s[i] == two.zv2s[i]) << files[i];
  EXPECT_GT(one.zv2s[0].size(), 1024u + 16u * 20u);  // calls were found
  EXPECT_FALSE(one.exported.empty());
  EXPECT_TRUE(one.exported == two.exported);
  EXPECT_EQ(one.result.statusLine1, two.result.statusLine1);
}

TEST_F(BatchFilesTest, AStopLetsStartedFilesFinishAndDropsTheLastOneWritten) {
  const std::vector<std::string> files = SmallFiles(6);
  const Outcome two = Run(files, 2, 2);  // the stop is seen after the third file is reported
  EXPECT_TRUE(two.result.aborted);
  EXPECT_GE(two.result.processed, 3);
  EXPECT_LE(two.result.processed, 4);  // at most the one file started beside the third
  const size_t kept = static_cast<size_t>(two.result.processed) - 1;
  ASSERT_EQ(two.result.zv2Files.size(), kept);
  for (size_t i = 0; i < files.size(); ++i)
    EXPECT_EQ(fs::exists(WithExtension(files[i], ".ZV2")), i < kept) << files[i];
  EXPECT_EQ(two.lines.back(), std::string(74, ' ') + "X ---------   Process aborted  --------- X");
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos);
}

TEST_F(BatchFilesTest, OnlyBatchesOfSmallFilesRunSideBySide) {
  const std::string small = Path("s.ZV1"), big = Path("b.ZV1");
  ASSERT_TRUE(WriteWholeFile(small, std::string(2000, '\0').data(), 2000));
  const std::vector<uint8_t> bytes(static_cast<size_t>(kSideBySideFileBytes) + 16, 0);
  ASSERT_TRUE(WriteWholeFile(big, bytes.data(), bytes.size()));
  EXPECT_TRUE(FilesSideBySide({small, small}, 2));
  EXPECT_FALSE(FilesSideBySide({small, small}, 1));
  EXPECT_FALSE(FilesSideBySide({small}, 2));
  EXPECT_FALSE(FilesSideBySide({small, big}, 2));
}

}  // namespace
}  // namespace zorvel
