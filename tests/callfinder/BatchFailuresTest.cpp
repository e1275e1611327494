// Every file the run could not do is a failure with its reason; a ZV2 file is only kept, and
// counted, when it was written whole from a ZV1 file that did not change while it was read.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "SynthNight.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Bytes.h"
#include "core/Header.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

// Runs an action when the run starts finding calls in a file.
struct MeddlingHost : test::RecordingHost {
  std::function<void()> onStart;
  void Progress(std::string_view caption, int step, int) override {
    if (step == 0 && caption.rfind("Finding calls in ", 0) == 0 && onStart) std::exchange(onStart, nullptr)();
  }
};

class BatchFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    PopulatePrecalculatedArrays();
    dir_ = fs::temp_directory_path() / ("zorvel_cf_fail_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Night(const std::string& name, int minutes = 3) {
    std::mt19937 rng(21);
    std::vector<std::vector<Record>> ms;
    for (int m = 0; m < minutes; ++m)
      ms.push_back(synth::MinuteRecords(synth::PassMinute(rng, 1, 8, 45, 100)));
    const std::string path = Path(name);
    EXPECT_TRUE(synth::WriteZv1(path, 60'000'000, ms));
    return path;
  }
  BatchResult Run(const std::vector<std::string>& files, BatchOptions o = {}) {
    o.Jobs = 1;
    KeepAwake none;
    return RunCallFindingBatch(files, o, host_, none);
  }
  bool NoTemporaryFiles() const {
    for (const auto& e : fs::directory_iterator(dir_))
      if (e.path().filename().string().find(".tmp") != std::string::npos ||
          e.path().filename().string().find(".part") != std::string::npos)
        return false;
    return true;
  }

  fs::path dir_;
  MeddlingHost host_;
};

TEST_F(BatchFailures, WrongKindsOfInputAreNamedWithTheirReason) {
  const std::string good = Night("good.ZV1");
  const std::string zv2 = Night("calls.ZV2");
  const std::string far = Night("far.ZV1");
  std::vector<uint8_t> bytes = test::FileBytes(far);
  PutBe32(&bytes[hdr::kFirstLoggedMin], 0x7FFFFF00);  // minutes near 2^31
  PutBe32(&bytes[hdr::kLastLoggedMin], 0);
  {
    std::FILE* f = std::fopen(far.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  const BatchResult r = Run({good, zv2, far, Path("gone.ZV1")});
  EXPECT_EQ(r.processed, 1);
  ASSERT_EQ(r.failures.size(), 3u);
  EXPECT_EQ(r.failures[0].path, zv2);
  EXPECT_EQ(r.failures[0].reason, "not a ZV1 file");
  EXPECT_EQ(r.failures[1].path, far);
  EXPECT_EQ(r.failures[1].reason, "could not be opened");
  EXPECT_EQ(r.failures[2].reason, "file not found");
  EXPECT_EQ(r.failedLine, "3 of 4 files failed");
  EXPECT_EQ(test::FileBytes(far), bytes);
  for (const std::string& line : host_.DataLines()) EXPECT_EQ(line.find("\t-"), std::string::npos) << line;
  EXPECT_FALSE(fs::exists(WithExtension(far, ".ZV2")));
}

TEST_F(BatchFailures, AClassifierExportThatCannotBeWrittenFailsTheRun) {
  const std::string zv1 = Night("n.ZV1");
  BatchOptions o;
  o.settings.ExportToClassifier = true;
  o.classifierExportPath = Path("no-such-folder/export.txt");
  const BatchResult r = Run({zv1}, o);
  EXPECT_EQ(r.processed, 1);  // the calls are still found
  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(r.failures[0].path, *o.classifierExportPath);
  EXPECT_EQ(r.failures[0].reason.rfind("the classifier export file could not be written: ", 0), 0u);
  EXPECT_EQ(r.failedLine, "1 of 2 files failed");
  EXPECT_EQ(r.statusLine2, "Some files could not be processed .... see Results page");
}

TEST_F(BatchFailures, AnInputThatShrinksWhileItIsReadLeavesNoZV2) {
  const std::string zv1 = Night("shrinks.ZV1", 40);
  const auto size = fs::file_size(zv1);
  host_.onStart = [&] { fs::resize_file(zv1, size * 44 / 100); };
  const BatchResult r = Run({zv1});
  EXPECT_EQ(r.processed, 0);
  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(r.failures[0].reason, "the file changed while it was read; no ZV2 file was kept");
  EXPECT_FALSE(fs::exists(WithExtension(zv1, ".ZV2")));
  EXPECT_TRUE(NoTemporaryFiles());
  EXPECT_EQ(r.statusLine1, "Files processed\t0/1");
}

TEST_F(BatchFailures, AnInputRewrittenWhileItIsReadLeavesNoZV2) {
  const std::string zv1 = Night("touched.ZV1");
  host_.onStart = [&] {
    std::vector<uint8_t> b = test::FileBytes(zv1);
    b[2000] ^= 1;
    std::FILE* f = std::fopen(zv1.c_str(), "r+b");
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
    fs::last_write_time(zv1, fs::last_write_time(zv1) + std::chrono::hours(1));
  };
  const BatchResult r = Run({zv1});
  EXPECT_EQ(r.processed, 0);
  ASSERT_EQ(r.failures.size(), 1u);
  EXPECT_EQ(r.failures[0].reason, "the file changed while it was read; no ZV2 file was kept");
  EXPECT_FALSE(fs::exists(WithExtension(zv1, ".ZV2")));
  EXPECT_TRUE(NoTemporaryFiles());
}

}  // namespace
}  // namespace zorvel
