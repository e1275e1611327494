#include <gtest/gtest.h>

#include "core/MinuteMap.h"
#include "display/DisplayFixture.h"
#include "display/Graphs.h"
#include "display/Palette.h"

namespace zorvel {
namespace {

using testing::DisplayFixture;
using testing::MinuteOf;
using testing::SyntheticMinute;
using testing::WaveGroup;

TEST(GraphTexts, DataAmountFollowsTheMinutesCounted) {
  EXPECT_EQ(DataAmountText(1, false), "Less than 2 minutes of data    ");
  EXPECT_EQ(DataAmountText(2, false), "2 minutes of data    ");
  EXPECT_EQ(DataAmountText(239, false), "239 minutes of data    ");
  EXPECT_EQ(DataAmountText(240, false), "4 hours of data    ");
  EXPECT_EQ(DataAmountText(2879, false), "47 hours of data    ");
  EXPECT_EQ(DataAmountText(2880, false), "2 days of data    ");
  EXPECT_EQ(DataAmountText(1, true), "Less than 2 minutes of data        ");
  EXPECT_EQ(DataAmountText(240, true), "4 hours of data             ");
  EXPECT_EQ(DataAmountText(2880, true), "2 days of data              ");
}

TEST(GraphTexts, ModeAndCounts) {
  EXPECT_EQ(ModeText(tDuration, {37, 12}), "Modal duration 3.7ms.  (N at mode 12)");
  EXPECT_EQ(ModeText(tAmplitude, {90, 5}), "Modal amplitude  90 SPL  (N at mode  5)   ");
  EXPECT_EQ(ModeText(tMaxKHZ, {45, 1}), "Modal frequency 45kHz.  (N at mode 1)   ");
  EXPECT_EQ(WavesText(125000), "N waves = 1,000,000        ");
  EXPECT_EQ(WavesText(12), "N waves = 96        ");
  EXPECT_EQ(CallsText(3), "N of calls = 3        ");
  EXPECT_EQ(GraphCaption(tDiel), "DielN Calls/waves");
  EXPECT_EQ(GraphCaption(tDuration), "Duration");
}

TEST(GraphBins, NoModeBelowBinSix) {
  GraphHistogram h{};
  h[0] = 1000;
  h[5] = 900;
  h[40] = 7;
  h[41] = 7;
  const GraphMode m = FindMode(h);
  EXPECT_EQ(m.bin, 40);  // the first of equal counts
  EXPECT_EQ(m.count, 7);
}

TEST(GraphBins, SmoothingASpikeGivesTheWeights) {
  GraphHistogram h{};
  h[100] = 1;
  h[0] = 5;
  h[255] = 4;
  const GraphHistogram s = SmoothBins(h);
  EXPECT_EQ(s[97], 0);
  EXPECT_EQ(s[98], 1);
  EXPECT_EQ(s[99], 2);
  EXPECT_EQ(s[100], 3);
  EXPECT_EQ(s[101], 2);
  EXPECT_EQ(s[102], 1);
  EXPECT_EQ(s[103], 0);
  // The edge bins keep their values; bin 2 takes bin 0's weight.
  EXPECT_EQ(s[0], 5);
  EXPECT_EQ(s[1], 0);
  EXPECT_EQ(s[2], 5);
  EXPECT_EQ(s[255], 4);
  EXPECT_EQ(s[253], 4);
}

class GraphsTest : public DisplayFixture {
 protected:
  // Shows the whole file at a low-resolution level and tallies slot 1 over the screen.
  GraphTally TallyScreen(tGraphType type) {
    Layout(15);
    view.DisplayPosition = {fileSlots[1].FirstLoggedMin + view.ScreenSpan.Mn, 0};
    MoveAllFilePosn(fileSlots, view.ScreenStart(), reader, false);
    return TallySlot(fileSlots[1], type, view.DisplayPosition, reader);
  }
};

TEST_F(GraphsTest, TallyCountsMinutesAndWaveGroupsOfTheScreen) {
  Open("a.ZV1", testing::RegularMinutes(240, 3));
  const GraphTally t = TallyScreen(tKHZdwell);
  EXPECT_EQ(t.minutes, 240);
  EXPECT_EQ(t.octets, 720);
  EXPECT_EQ(DataAmountText(t.minutes, false), "4 hours of data    ");
  // A raw file weighs each wave group by its amplitude, whatever the type.
  int64_t total = 0;
  for (int64_t v : t.hist) total += v;
  EXPECT_EQ(total, 720 * 50);
}

TEST_F(GraphsTest, CallGraphsCountEachCallOnce) {
  std::vector<Record> rs;
  for (int n = 1; n <= 3; ++n) {
    tCall c;
    c.StartTime = 1000 * n;
    c.Number = n;
    c.Fmax = 60 + n;
    c.nSelOctInCall = 2;
    for (const Record& r : EncodeCall(c)) rs.push_back(r);
    for (int k = 0; k < 2; ++k)
      rs.push_back(EncodeZV2WaveGroup(1000 * n + 40 * k, {90, 90, 90, 90}, {100, 100, 100, 100}, false, false,
                                      n, tfNotFeature, 20));
  }
  Open("c.ZV2", {MinuteOf(rs), MinuteOf({})});
  const GraphTally t = TallyScreen(tMaxKHZ);
  EXPECT_EQ(t.calls, 3);
  EXPECT_EQ(t.octets, 6);
  EXPECT_EQ(t.hist[61], 1);
  EXPECT_EQ(t.hist[62], 1);
  EXPECT_EQ(t.hist[63], 1);
  EXPECT_EQ(t.minutes, 2);
}

TEST_F(GraphsTest, DielGraphRunsFromNoonToNoon) {
  // A file starting at noon: wave groups only in its first minute (noon) and at midnight.
  const int32_t noon = testing::kFirstMin - testing::kFirstMin % 1440 + 720 + 1440;
  std::vector<SyntheticMinute> ms(721, MinuteOf({}));
  ms[0] = MinuteOf({WaveGroup(1000, 100), WaveGroup(2000, 100)});
  ms[720] = MinuteOf({WaveGroup(1000, 100), WaveGroup(2000, 100)});
  Open("d.ZV1", ms, tyFreq, noon);
  fileSlots[1].GraphType = tDiel;
  Layout(15);
  view.DisplayPosition = {noon + view.ScreenSpan.Mn, 0};
  std::string status;
  DrawFileGraphs(painter.Image(), fileSlots, view, options, {}, reader, &status);
  EXPECT_EQ(status, " data from " + fileSlots[1].ShortName);
  const int left = view.layout.PlotLeft + 4, bottom = fileSlots[1].FileYbottom - 1;
  EXPECT_FALSE(IsBlack(Pixel(left + 1, bottom)));           // noon at the left edge
  EXPECT_FALSE(IsBlack(Pixel(left + 4 * 72 + 1, bottom)));  // midnight in the middle
  EXPECT_EQ(Pixel(left + 1, bottom), Pixel(left + 4 * 72 + 1, bottom));
  EXPECT_TRUE(IsBlack(Pixel(left + 4 * 36 + 1, bottom)));   // 18:00 is empty
  EXPECT_TRUE(IsBlack(Pixel(left + 4 * 108 + 1, bottom)));  // and so is 06:00
  // Equal counts give equal full-scale bars: the top of the band less 20 pixels.
  const int top = fileSlots[1].FileYbottom - (view.SlotHeight - 20);
  EXPECT_FALSE(IsBlack(Pixel(left + 1, top + 1)));
  EXPECT_TRUE(IsBlack(Pixel(left + 1, top - 3)));
  EXPECT_EQ(DielBinOfBar(0), 72);
  EXPECT_EQ(DielBinOfBar(72), 0);
  EXPECT_EQ(DielBinOfBar(143), 71);
}

TEST_F(GraphsTest, AFileOutsideThePeriodSaysSo) {
  Open("e.ZV1", testing::RegularMinutes(10, 2));
  Layout(15);
  view.DisplayPosition = {fileSlots[1].LastLoggedMin + 10 + view.ScreenSpan.Mn, 0};
  std::string status;
  DrawFileGraphs(painter.Image(), fileSlots, view, options, {}, reader, &status);
  EXPECT_TRUE(status.empty());
}

}  // namespace
}  // namespace zorvel
