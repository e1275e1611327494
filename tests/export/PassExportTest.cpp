// The pass listing: passes of a minute's calls, their line, and the listing of files.
#include <gtest/gtest.h>

#include <filesystem>

#include "Deployment.h"
#include "Golden.h"
#include "core/Header.h"
#include "export/PassExport.h"
#include "support/RecordingHost.h"

namespace zorvel {
namespace {

constexpr int32_t kTicksPerMs = 200;

tCall PassCallAt(int32_t ms, int32_t peak, int32_t sp, int32_t sp2, int32_t confidence) {
  tCall c;
  c.StartTime = ms * kTicksPerMs;
  c.Duration100Musecs = 50;
  c.ModalKHZ = peak;
  c.MedianKHZ = peak + 3;
  c.Fmin = peak - 1;
  c.Fmax = peak + 20;
  c.SpN = sp;
  c.Sp2N = sp2;
  c.SpConfidence = confidence;
  return c;
}

TEST(PassListing, TwoBatsAtOnceAreTwoPassesWithTheirOwnSpecies) {
  std::vector<tCall> calls;
  for (int k = 0; k < 6; ++k) {
    calls.push_back(PassCallAt(100 * k, 46 + k % 2, 3, 23, 10 + k));  // common pipistrelle
    calls.push_back(PassCallAt(100 * k + 50, 55, 4, 3, 9));           // soprano
  }
  calls[2].SpN = 23;  // one call of the first pass named otherwise
  tCall buzz;
  buzz.BuzzCall = true;
  buzz.StartTime = 620 * kTicksPerMs;
  calls.push_back(buzz);
  const auto passes = MinutePassSummaries(100, calls);
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].calls, 6);
  EXPECT_EQ(passes[0].species, 3);
  EXPECT_EQ(passes[0].confidence, 15);  // the highest among the calls carrying the species
  EXPECT_EQ(passes[0].secondSpecies, 23);
  EXPECT_EQ(passes[0].medianPeakKHz, 47);
  EXPECT_EQ(passes[0].startTick, 0);
  EXPECT_EQ(passes[1].species, 4);
  EXPECT_EQ(passes[1].buzzCalls, 1);  // the buzz falls in the pass still going on
  EXPECT_EQ(passes[1].endTick, 620 * kTicksPerMs);
  EXPECT_TRUE(MinutePassSummaries(100, {}).empty());
}

TEST(PassListing, TimesForSpreadsheets) {
  const int32_t mn = *MinuteNumber(2021, 3, 5, 21, 40);
  EXPECT_EQ(PassTimeText(mn, 0), "2021-03-05 21:40:00.000");
  EXPECT_EQ(PassTimeText(mn, 11'999'999), "2021-03-05 21:40:59.999");
  EXPECT_EQ(PassTimeText(mn, -5), "2021-03-05 21:40:00.000");
}

TEST(PassListing, ListsTheFilesPassesWithTheirClassifiersNames) {
  testing::TempDir dir{"passes"};
  testing::RecordingHost host;
  HeaderBytes h = testing::MakeHeader(testing::DeploymentStart(), testing::DeploymentStart() + 2);
  const std::string name = "ZorvelEU1";
  std::copy(name.begin(), name.end(), h.begin() + hdr::kSpClassifierName);
  std::vector<testing::SyntheticMinute> minutes(3);
  for (int k = 0; k < 4; ++k) {
    tCall c = PassCallAt(1000 + 80 * k, 50, 23, 4, 12);  // "Pipistrellus"
    c.Number = k + 1;
    testing::AppendCall(minutes[1], c, 1);
  }
  const std::string file = dir.File("eu1.ZV2");
  ASSERT_TRUE(testing::WriteDataFile(file, h, minutes));

  const std::string out = dir.File("passes.txt");
  const PassesOutcome r = ExportPasses({file, dir.File("missing.ZV2")}, out, host);
  EXPECT_TRUE(r.created);
  EXPECT_EQ(r.rows, 1);
  ASSERT_EQ(r.failed.size(), 1u);
  EXPECT_EQ(
      testing::FileText(out),
      "File\tStart\tEnd\tDurationSec\tCalls\tBuzzCalls\tSpecies\tConfidence\tSecondSpecies\tMedianPeakKHz\r\n"
      "eu1.ZV2\t2021-03-05 21:41:01.000\t2021-03-05 "
      "21:41:01.245\t0.245\t4\t0\tPipistrellus\t12\tSopPip\t50\r\n");
  EXPECT_EQ(PassesFileName("/a/b/night.ZV2"), "/a/b/night passes.txt");
  EXPECT_FALSE(ExportPasses({}, out, host).created);

  // The window's export too never writes over its input, nor leaves a list when nothing was read.
  const std::vector<uint8_t> before = testing::ReadAll(file);
  const PassesOutcome over = ExportPasses({file}, file, host);
  EXPECT_FALSE(over.created);
  EXPECT_EQ(testing::ReadAll(file), before);
  EXPECT_EQ(host.timed.back().text,
            file + ": is one of this command's inputs; it is not written over (choose another name)");
  const std::string none = dir.File("none.txt");
  EXPECT_FALSE(ExportPasses({dir.File("missing.ZV2")}, none, host).created);
  EXPECT_FALSE(std::filesystem::exists(none));
}

}  // namespace
}  // namespace zorvel
