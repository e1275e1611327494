#include <gtest/gtest.h>

#include "display/Levels.h"
#include "display/ScreenPainter.h"
#include "display/TimeMath.h"
#include "display/ViewState.h"
#include "support/RecordingHost.h"

namespace zorvel {
namespace {

ViewState ViewAt(int level, int plotWidth) {
  ViewState v;
  LayoutInput in;
  in.clientWidth = plotWidth + 25 + 50;
  v.layout = ComputeLayout(in);
  v.DisplayTimeUnit = level;
  ApplyLevel(v);
  return v;
}

TEST(Layout, PlotWidthMovesInStepsOfNine) {
  LayoutInput in;
  in.clientWidth = 700;
  int previousRight = ComputeLayout(in).PlotRight;
  for (int w = 701; w <= 760; ++w) {
    in.clientWidth = w;
    const Layout l = ComputeLayout(in);
    EXPECT_EQ(l.PlotWidth % 9, 0);
    EXPECT_TRUE(l.PlotRight == previousRight || l.PlotRight == previousRight + 9) << w;
    EXPECT_EQ(l.MinuteUnits, l.PlotWidth / 3);
    previousRight = l.PlotRight;
  }
  in.setViewPanelVisible = true;
  in.setViewPanelWidth = 200;
  in.clientWidth = 1000;
  const Layout l = ComputeLayout(in);
  EXPECT_EQ(l.PlotLeft, 225);
  EXPECT_EQ(l.PlotWidth, 720);
}

TEST(Levels, SpansAtHighResolution) {
  ViewState v = ViewAt(7, 900);
  EXPECT_EQ(v.ScreenSpan, (TRecTime{0, 900'000}));
  EXPECT_EQ(v.HalfScreenSpan, (TRecTime{0, 450'000}));
  EXPECT_EQ(v.EighthScreenSpan, (TRecTime{0, 112'500}));
  v = ViewAt(11, 900);  // 18,000,000 ticks: a minute and a half
  EXPECT_EQ(v.ScreenSpan, (TRecTime{1, 6'000'000}));
  EXPECT_EQ(v.HalfScreenSpan, (TRecTime{0, 9'000'000}));
  EXPECT_EQ(v.EighthScreenSpan, (TRecTime{0, 2'250'000}));
  EXPECT_EQ(v.QuarterScreenSpan, (TRecTime{0, 4'500'000}));
}

TEST(Levels, SpansAtLowResolutionKeepTheOddHalfMinute) {
  ViewState v = ViewAt(12, 909);  // 303 columns
  EXPECT_EQ(v.ScreenSpan, (TRecTime{303, 0}));
  EXPECT_EQ(v.HalfScreenSpan, (TRecTime{151, 6'000'000}));
  EXPECT_EQ(v.QuarterScreenSpan, (TRecTime{75, 9'000'000}));
  v = ViewAt(13, 909);
  EXPECT_EQ(v.HalfScreenSpan, (TRecTime{757, 6'000'000}));
  v = ViewAt(16, 909);
  EXPECT_EQ(v.ScreenSpan, (TRecTime{303 * 360, 0}));
  EXPECT_EQ(v.HalfScreenSpan, (TRecTime{303 * 180, 0}));
  EXPECT_EQ(v.QuarterScreenSpan, (TRecTime{303 * 90, 0}));
}

TEST(Levels, PixelsAndTimesAgree) {
  ViewState v = ViewAt(7, 900);
  v.DisplayPosition = {1000, 11'500'000};
  const TRecTime start = v.ScreenStart();
  EXPECT_EQ(start, (TRecTime{1000, 10'600'000}));
  EXPECT_EQ(PixelToTime(v, v.layout.PlotLeft), start);
  EXPECT_EQ(PixelToTime(v, v.layout.PlotLeft + 500), (TRecTime{1000, 11'100'000}));
  EXPECT_EQ(PixelToTime(v, v.layout.PlotLeft + 899), (TRecTime{1000, 11'499'000}));
  EXPECT_EQ(PixelToTime(v, -40), start);  // clamped
  EXPECT_EQ(TimeToPixel(v, start, {1000, 11'400'000}), v.layout.PlotLeft + 800);
  EXPECT_EQ(TimeToPixel(v, start, {1001, 900'000}), v.layout.PlotRight);  // clamped
  for (int o : {0, 1, 17, 450, 899})
    EXPECT_EQ(TimeToPixel(v, start, PixelToTime(v, v.layout.PlotLeft + o)), v.layout.PlotLeft + o);
  // A pixel past the minute's end carries into the next minute.
  v.DisplayPosition = {1001, 200'000};
  EXPECT_EQ(PixelToTime(v, v.layout.PlotLeft + 800), (TRecTime{1001, 100'000}));

  v = ViewAt(14, 900);  // 30 minutes per column
  v.DisplayPosition = {3000 + 300 * 30, 0};
  EXPECT_EQ(PixelToTime(v, v.layout.PlotLeft + 7), (TRecTime{3060, 0}));
}

TEST(Levels, ZoomStopsAtBothEndsWithItsMessage) {
  testing::RecordingHost host;
  ViewState v = ViewAt(0, 900);
  EXPECT_FALSE(ZoomIn(v, host));
  EXPECT_EQ(v.DisplayTimeUnit, 0);
  EXPECT_TRUE(host.SaidTimed("Display is already at maximum time resolution"));
  v = ViewAt(20, 900);
  EXPECT_FALSE(ZoomOut(v, host));
  EXPECT_EQ(v.DisplayTimeUnit, 20);
  EXPECT_TRUE(host.SaidTimed("Display is already at minimum time resolution"));
  v = ViewAt(11, 900);
  v.FrameDirty = false;
  EXPECT_TRUE(ZoomOut(v, host));
  EXPECT_EQ(v.MinutesPerUnit, 1);
  EXPECT_TRUE(v.FrameDirty);  // crossing into low resolution redraws the frame
}

TEST(Levels, SelectingALevelKeepsTheCentreTime) {
  ViewState v = ViewAt(7, 900);
  v.DisplayPosition = {5000, 3'000'000};
  const int centreX = v.layout.PlotLeft + v.layout.PlotWidth / 2;
  const TRecTime centre = PixelToTime(v, centreX);
  for (int level : {3, 0, 10}) {
    SelectDisplayTimeUnit(v, level);
    EXPECT_EQ(v.DisplayTimeUnit, level);
    EXPECT_EQ(PixelToTime(v, centreX), centre) << level;
  }
  EXPECT_EQ(LevelOfLabel("Lbl20Ms"), 9);
  EXPECT_EQ(LevelOfLabel("SomethingElse"), 7);
}

TEST(Levels, FitToScreenAndExpandChoices) {
  EXPECT_EQ(FitToScreenLevel(100'000, 300), 16);  // 100,000 div 360 = 277 fits; div 60 does not
  EXPECT_EQ(FitToScreenLevel(200, 300), 12);
  EXPECT_EQ(FitToScreenLevel(300, 300), 13);
  EXPECT_EQ(FitToScreenLevel(100'000'000, 300), -1);
  EXPECT_EQ(ExpandLevelFor(7, 8), 0);
  EXPECT_EQ(ExpandLevelFor(7, 9), 1);
  EXPECT_EQ(ExpandLevelFor(7, 800), 4);
  EXPECT_EQ(ExpandLevelFor(7, 40'000), 9);
  EXPECT_EQ(ExpandLevelFor(7, 40'001), -1);
  EXPECT_EQ(ExpandLevelFor(0, 100), -1);
  EXPECT_EQ(ExpandLevelFor(12, 100), -1);
}

TEST(Ruler, LabelsByLevel) {
  ViewState v = ViewAt(0, 900);
  EXPECT_TRUE(RulerLabels(v).empty());
  v = ViewAt(3, 900);
  auto labels = RulerLabels(v);
  ASSERT_GE(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, "I   0 msecs");
  EXPECT_EQ(labels[0].x, v.layout.PlotLeft - 1);
  EXPECT_EQ(labels[1].text, "I   10ms");
  EXPECT_EQ(labels[1].x, v.layout.PlotLeft + 99);
  EXPECT_LE(labels.back().x, v.layout.PlotRight - 36);
  v = ViewAt(6, 900);
  EXPECT_EQ(RulerLabels(v)[1].text, "I 0.2s");
  v = ViewAt(9, 900);
  EXPECT_EQ(RulerLabels(v)[2].text, "I 4s");
  v = ViewAt(13, 900);
  labels = RulerLabels(v);
  EXPECT_EQ(labels[2].text, "I 6h");
  EXPECT_EQ(labels.size(), static_cast<size_t>(900 / 108 + 1));
  v = ViewAt(19, 900);
  EXPECT_EQ(RulerLabels(v)[1].text, "I 30wk");
}

TEST(Bands, OneFileFillsThePlotWhateverItsSlot) {
  FileSlots fileSlots;
  fileSlots[4].Open = true;
  ViewState v = ViewAt(7, 900);
  v.layout.PlotTop = 30;
  v.layout.PlotBottom = 600;
  LayoutBands(v, fileSlots);
  EXPECT_EQ(v.SlotHeight, 566);
  EXPECT_EQ(fileSlots[4].FileYtop, 33);
  EXPECT_EQ(fileSlots[4].FileYbottom, 599);
  EXPECT_EQ(fileSlots[4].YtempOrigin, 549);
  EXPECT_GE(fileSlots[4].ScreenXarr.size(), static_cast<size_t>(v.layout.PlotRight + 10));

  fileSlots[2].Open = true;
  LayoutBands(v, fileSlots);
  EXPECT_EQ(v.SlotHeight, 281);
  EXPECT_EQ(fileSlots[2].FileYbottom, 599);  // the lower slot number is the lower band
  EXPECT_EQ(fileSlots[4].FileYbottom, 599 - 283);
  EXPECT_LT(fileSlots[4].FileYbottom, fileSlots[2].FileYtop);
}

TEST(Slider, ReleaseNearEitherEnd) {
  ViewState v = ViewAt(7, 900);
  v.RangeFirstMin = 1000;
  v.RangeLastMin = 1899;
  v.RangeMinutes = 900;
  EXPECT_EQ(SliderReleaseMinute(v, v.layout.PlotRight - 9), 1899 - v.ScreenSpan.Mn);
  EXPECT_EQ(SliderReleaseMinute(v, v.layout.PlotLeft - 30), 1000);
  EXPECT_EQ(SliderReleaseMinute(v, v.layout.PlotLeft + 450), 1450);
  v.DisplayPosition = AddTime({1450, 0}, v.ScreenSpan);
  const SliderGeometry g = SliderPosition(v);
  EXPECT_EQ(g.left, v.layout.PlotLeft + 450);
  EXPECT_EQ(g.width, 8);
}

TEST(Frame, LabelStepsAndTitles) {
  EXPECT_EQ(LabelStep(10), 1);
  EXPECT_EQ(LabelStep(10.5), 2);
  EXPECT_EQ(LabelStep(160), 10);
  EXPECT_EQ(LabelStep(256.5), 50);
  EXPECT_EQ(LabelStep(500000), 50000);
  EXPECT_EQ(AxisTitle(tyPeriod, true, 1), "Period us.");
  EXPECT_EQ(AxisTitle(tySPL, false, 5), "amplitude");
  EXPECT_EQ(AxisTitle(tyCallType, false, 30).rfind("Call types. Calls/min in 30min bins    ", 0), 0u);
  EXPECT_EQ(AxisTitle(tyCallType, false, 720).rfind("Call types. Calls/min in 12hr bins    ", 0), 0u);
  EXPECT_EQ(AxisTitle(tyCallType, false, 14400).rfind("Call types. Calls/min ", 0), 0u);
  EXPECT_EQ(AxisTitle(tyCallType, false, 14400).find("bins"), std::string::npos);
}

}  // namespace
}  // namespace zorvel
