// The run from synthetic ZV1 files to ZV2 files, read back through the record reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "SynthNight.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    PopulatePrecalculatedArrays();
    dir_ = fs::temp_directory_path() / ("zorvel_cf_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  BatchResult Run(const std::vector<std::string>& files, BatchOptions o = {}) {
    if (o.Jobs == 0) o.Jobs = 1;
    KeepAwake none;
    return RunCallFindingBatch(files, o, host_, none);
  }

  fs::path dir_;
  test::RecordingHost host_;
};

TEST_F(EndToEnd, PipistrelleLikePassIsFoundMeasuredAndClassed) {
  std::mt19937 rng(7);
  std::vector<synth::Octet> octets;
  int32_t t = 1'000'000;
  for (int c = 0; c < 10; ++c, t += 16'000) synth::AddSweepCall(octets, t, 75, 46, 1.5, 4.0, rng);
  const std::string zv1 = Path("pass.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(octets)}));
  const BatchResult r = Run({zv1});
  ASSERT_EQ(r.processed, 1);
  ASSERT_EQ(r.zv2Files.size(), 1u);
  const auto calls = test::ReadZv2Calls(r.zv2Files[0]);
  ASSERT_EQ(calls.size(), 10u);
  for (size_t i = 0; i < calls.size(); ++i) {
    const tCall& c = calls[i].call;
    SCOPED_TRACE(i);
    EXPECT_EQ(c.StartTime, 1'000'000 + 16'000 * static_cast<int32_t>(i));
    EXPECT_EQ(c.FlightN, 111);
    EXPECT_NEAR(c.Fend, 45, 2);
    EXPECT_GE(c.Fstart, 65);
    EXPECT_NEAR(c.Duration100Musecs, 55, 6);
    EXPECT_EQ(c.nSelOctInCall, static_cast<int32_t>(calls[i].octetTicks.size()));
    EXPECT_EQ(c.CallType, tcQCF);
    EXPECT_EQ(c.SpN, 3);  // CmnPip: ten in a row
  }
}

}  // namespace
}  // namespace zorvel
