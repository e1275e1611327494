#include <gtest/gtest.h>

#include "display/DisplayFixture.h"
#include "display/ResultsSummary.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {
namespace {

using testing::DisplayFixture;
using testing::SyntheticMinute;

std::vector<Record> CallOf(int number, int tick, tCallType type, int modal, int fmax, int flatIpi = 0,
                           int32_t sp = 0) {
  tCall c;
  c.SpN = sp;
  c.StartTime = tick;
  c.Number = number;
  c.CallType = type;
  c.ModalKHZ = modal;
  c.Fmax = fmax;
  c.Fmin = fmax / 2;
  c.Flat1avIPI = flatIpi;
  c.nSelOctInCall = 2;
  std::vector<Record> out;
  for (const Record& r : EncodeCall(c)) out.push_back(r);
  for (int k = 0; k < 2; ++k)
    out.push_back(EncodeZV2WaveGroup(tick + 40 * k, {90, 90, 90, 90}, {100, 100, 100, 100}, false, false,
                                     number, tfNotFeature, 20));
  return out;
}

class ResultsSummaryTest : public DisplayFixture {
 protected:
  // Twelve listening minutes at 10 °C on battery 1 at 6.4 V, the last two in daylight; three
  // calls in the first two minutes.
  int OpenKnownFile(const std::string& name) {
    std::vector<SyntheticMinute> ms(12);
    for (size_t i = 0; i < ms.size(); ++i) {
      ms[i].values.MinON = true;
      ms[i].values.PreampHalfDegPlus20 = 40;
      ms[i].values.BatVn = {64, 0, 0, 0};
      ms[i].values.LightN = i >= 10 ? 200 : 0;
    }
    for (const Record& r : CallOf(1, 1000, tcFM, 50, 60)) ms[0].records.push_back(r);
    for (const Record& r : CallOf(2, 90000, tcFM, 54, 60, 100)) ms[0].records.push_back(r);
    for (const Record& r : CallOf(3, 1000, tcCF, 100, 100, 0, 1)) ms[1].records.push_back(r);
    const std::string path = dir.File(name);
    HeaderBytes h = testing::DeploymentHeader(testing::kFirstMin, 12, true);
    h[hdr::kLightSwitchLevel] = 100;
    const std::string classifier = "ZorvelEU1";
    std::fill_n(h.begin() + hdr::kSpClassifierName, hdr::kClassifierLen, 0);  // zero-filled, as written
    std::copy(classifier.begin(), classifier.end(), h.begin() + hdr::kSpClassifierName);
    EXPECT_TRUE(testing::WriteDataFile(path, h, ms));
    const int slot = fileSlots.LowestFreeSlot();
    EXPECT_TRUE(OpenFileInSlot(fileSlots, path, slot, host, {}).opened);
    InitSlotSpeciesNames(fileSlots);
    ApplyBuiltInSpeciesNames(fileSlots, slot);  // as the window does on opening
    return slot;
  }
};

TEST_F(ResultsSummaryTest, TotalsOfAKnownCallFile) {
  const int slot = OpenKnownFile("known.ZV2");
  const SummaryTotals t = AnalyzeSlot(fileSlots, slot, testing::kFirstMin, testing::kFirstMin + 11, reader);
  EXPECT_EQ(t.minutes, 12);
  EXPECT_EQ(t.acousticMinutes, 10);
  EXPECT_EQ(t.positiveMinutes, 2);
  EXPECT_EQ(t.octets, 6);
  EXPECT_EQ(t.calls, 3);
  EXPECT_EQ(t.typeCounts[tcFM], 2);
  EXPECT_EQ(t.typeCounts[tcCF], 1);
  EXPECT_EQ(TypeMeanKHZ(t, tcFM), 52);
  EXPECT_EQ(TypeBarWidth(t, tcFM), 80);
  EXPECT_EQ(TypeBarWidth(t, tcCF), 40);
  EXPECT_EQ(TypeBarWidth(t, tcQCF), 2);
  EXPECT_EQ(t.charts[scMaxKHZ][60], 2);
  EXPECT_EQ(t.charts[scMaxKHZ][100], 1);
  EXPECT_EQ(t.charts[scFlats][40], 1);  // an IPI of 100 quarter microseconds is 40 kHz
  EXPECT_EQ(t.batteryMinutes[0], 12);

  const SummaryTexts x = MakeSummaryTexts(t, 2 * 1048576, "none");
  EXPECT_EQ(x.RunningTime.substr(0, 19), "Acoustic duration: ");
  EXPECT_NE(x.RunningTime.find(" (83%)"), std::string::npos);
  EXPECT_EQ(x.WaveTotal, "48 Waves  288/hr");
  EXPECT_EQ(x.CallCount, "3 Calls  3");  // 18 an hour is not above 20: the count is repeated
  EXPECT_EQ(x.DPMperDay, "DPM per day 288 (2)");
  EXPECT_EQ(x.Diversity, "File: 2.00MB");
  EXPECT_EQ(x.MeanDegC, "Mean temp 10.0C");
  EXPECT_EQ(x.BattStack, "Stack 6.4v 0d, nil, nil, nil, ");
  EXPECT_EQ(x.CallFilters, "Pass filters: none");
  EXPECT_TRUE(x.OneGbLasts.empty());
  // Calls and passes per species: the two calls of the first minute are one pass.
  ASSERT_EQ(t.species.size(), 2u);
  EXPECT_EQ(t.species[0].calls, 2);
  EXPECT_EQ(t.species[0].passes, 1);
  EXPECT_EQ(t.species[1].name, "GHB");
  EXPECT_EQ(t.species[1].passes, 1);
  ASSERT_EQ(x.memo.size(), 8u);
  EXPECT_EQ(x.memo[5], "Species\tCalls\tPasses");
  EXPECT_EQ(x.memo[6], "Unclass\t2\t1");
  EXPECT_EQ(x.memo[7], "GHB\t1\t1");
  EXPECT_EQ(x.memo[0], "On Mins\t10");
  EXPECT_EQ(x.memo[1], "tcFM\t2");
  EXPECT_EQ(x.memo[3], "tcCF\t1");
  EXPECT_EQ(x.memo[4], "Unclass\t0");
}

TEST(ResultsSummaryTexts, TruncationAndRawFiles) {
  SummaryTotals t;
  t.fileType = ftZV1;
  t.minutes = 100;
  t.acousticMinutes = 50;
  t.octets = 1000;
  t.truncatedMinutes = 5;
  t.limit = 2000;
  SummaryTexts x = MakeSummaryTexts(t, 0, "x");
  EXPECT_EQ(x.Truncated, "10% truncated  (5 @ 2000)");
  EXPECT_EQ(x.OneGbLasts, "32GB lasts 408.50yrs");
  EXPECT_EQ(x.CallFilters, "Call filters: File is a ZV1 file - no call defined");
  EXPECT_TRUE(x.CallCount.empty());
  t.fileType = ftZV3;
  x = MakeSummaryTexts(t, 0, "x");
  EXPECT_EQ(x.Truncated, "10% truncated in ZV1  (5 @ 2000)");
  EXPECT_TRUE(x.WaveTotal.empty());
  t.limit = 99999;
  EXPECT_TRUE(MakeSummaryTexts(t, 0, "x").Truncated.empty());
  // No acoustic minute: rates divide by one, the memo still says at least 1, no mean temperature.
  t.acousticMinutes = 0;
  t.fileType = ftZV2;
  x = MakeSummaryTexts(t, 0, "x");
  EXPECT_EQ(x.memo[0], "On Mins\t1");
  EXPECT_TRUE(x.MeanDegC.empty());
}

}  // namespace
}  // namespace zorvel
