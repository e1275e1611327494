#include <gtest/gtest.h>

#include "core/SlotFiles.h"
#include "display/DisplayFixture.h"
#include "display/TimeMath.h"

namespace zorvel {
namespace {

using testing::DisplayFixture;
using testing::kFirstMin;
using testing::MinuteOf;
using testing::SyntheticMinute;
using testing::WaveGroup;

std::vector<Record> OneCall(int number, int tick) {
  tCall c;
  c.StartTime = tick;
  c.Number = number;
  c.nSelOctInCall = 3;
  std::vector<Record> out;
  for (const Record& r : EncodeCall(c)) out.push_back(r);
  for (int k = 0; k < 3; ++k)
    out.push_back(EncodeZV2WaveGroup(tick + 40 * k, {90, 90, 90, 90}, {80, 80, 80, 80}, false, false, number,
                                     tfNotFeature, 20));
  return out;
}

std::vector<SyntheticMinute> QuietMinutes(int n) {
  std::vector<SyntheticMinute> ms;
  for (int i = 0; i < n; ++i) ms.push_back(MinuteOf({WaveGroup(1'000'000, 99)}));
  return ms;
}

class NavigationTest : public DisplayFixture {};

TEST_F(NavigationTest, CommandsNeedAnOpenFile) {
  Layout(7);
  EXPECT_FALSE(nav.ShowFromStart());
  EXPECT_TRUE(host.SaidTimed("No files open"));
  EXPECT_FALSE(nav.FitToScreen());
  EXPECT_TRUE(host.SaidTimed("No files Open"));
  EXPECT_FALSE(nav.GoToSavedTimePoint(0));
  EXPECT_TRUE(host.SaidTimed("No file selected for action.  Right click in file area and select for action"));
}

TEST_F(NavigationTest, ScrollRightPastTheRangeSaysSoAndStays) {
  Open("a.ZV1", QuietMinutes(3));
  Layout(12);
  ASSERT_TRUE(nav.ShowFromStart());
  view.DisplayPosition = {view.RangeLastMin + 1, 0};
  nav.GoOn();
  EXPECT_TRUE(host.SaidTimed("No later data"));
  EXPECT_EQ(view.DisplayPosition, (TRecTime{view.RangeLastMin + 1, 0}));
}

TEST_F(NavigationTest, SeekSkipsAWindowWithOneCallAndStopsAtTwo) {
  std::vector<Record> calls = OneCall(1, 2'000'000);                 // 10 s: alone
  for (const Record& r : OneCall(2, 6'000'000)) calls.push_back(r);  // 30 s and 30.5 s: a pair
  for (const Record& r : OneCall(3, 6'100'000)) calls.push_back(r);
  Open("a.ZV2", {MinuteOf(calls), MinuteOf({})});
  Layout(7);  // 900 pixels of 1000 ticks: 4.5 s a screen
  view.SeekFile = 1;
  view.MinNToShow = 1;
  ASSERT_TRUE(nav.ShowFromStart());
  nav.GoOn();
  const TRecTime first{kFirstMin, 6'000'000};
  EXPECT_EQ(view.ScreenStart(), SubTime(first, view.EighthScreenSpan));
  EXPECT_EQ(fileSlots[1].CallsInThisScreen, 2);
  EXPECT_EQ(fileSlots[1].ScreenCallsArr.size(), 3u);
  // Nothing qualifies after the pair: the seek runs off the end of the file.
  nav.GoOn();
  EXPECT_TRUE(host.SaidTimed("no more clicks in File 1"));
}

TEST_F(NavigationTest, ScrollRightWithoutSeekFileFlashesAndContinuesAtTheNextRecord) {
  Open("a.ZV1", {MinuteOf({WaveGroup(100'000, 99), WaveGroup(5'000'000, 99)})});
  Layout(7);
  std::string flashed;
  nav.onFlashMenu = [&](std::string_view t) { flashed = t; };
  view.SeekFile = 0;
  ASSERT_TRUE(nav.ShowFromStart());
  EXPECT_EQ(fileSlots[1].OctInThisScreen, 1);
  nav.GoOn();
  EXPECT_EQ(flashed, "  No seek file selected - see check boxes at top of screen.");
  EXPECT_EQ(fileSlots[1].OctInThisScreen, 1);
  EXPECT_EQ(view.ScreenStart(), (TRecTime{kFirstMin, 5'000'000 - 1000}));
}

TEST_F(NavigationTest, FastForwardDelaysAndStops) {
  FastForward& ff = nav.Fast();
  EXPECT_FALSE(ff.Press(false, host));
  EXPECT_TRUE(host.SaidTimed("Fast forward requires one open file\r\nto be set as the seek file"));
  EXPECT_FALSE(ff.Running());
  ASSERT_TRUE(ff.Press(true, host));
  EXPECT_EQ(ff.DelayMs(), 2048);
  ff.Press(true, host);
  EXPECT_EQ(ff.DelayMs(), 1024);
  for (int i = 0; i < 20; ++i) ff.KeypadPlus();
  EXPECT_EQ(ff.DelayMs(), 1);
  for (int i = 0; i < 20; ++i) ff.KeypadMinus();
  EXPECT_EQ(ff.DelayMs(), 8192);

  Open("a.ZV1", QuietMinutes(2));
  Layout(7);
  fileSlots[1].InPlay = false;
  EXPECT_FALSE(nav.FastForwardStep());
  EXPECT_FALSE(ff.Running());
}

TEST(Wheel, StepsAtMostOncePer400msAndOnlyAtHighResolution) {
  WheelInput in;
  in.plotTop = 30;
  in.plotBottom = 600;
  in.y = 300;
  in.nowMs = 10'000;
  EXPECT_TRUE(WheelStepAllowed(in));
  in.lastStepMs = 10'000;
  in.nowMs = 10'399;
  EXPECT_FALSE(WheelStepAllowed(in));
  in.nowMs = 10'400;
  EXPECT_TRUE(WheelStepAllowed(in));
  in.highRes = false;
  EXPECT_FALSE(WheelStepAllowed(in));
  in.highRes = true;
  in.y = 30;
  EXPECT_FALSE(WheelStepAllowed(in));
  in.y = 300;
  in.menuShown = true;
  EXPECT_FALSE(WheelStepAllowed(in));
}

TEST_F(NavigationTest, WheelMovesHalfAScreen) {
  Open("a.ZV1", QuietMinutes(2));
  Layout(7);
  nav.PositionAll({kFirstMin, 3'000'000});
  view.RequestedStart = {kFirstMin, 3'001'000};
  nav.DrawHigh();
  ASSERT_EQ(view.ScreenStart(), (TRecTime{kFirstMin, 3'000'000}));
  nav.WheelStep(false);
  const int half = view.layout.PlotWidth / 2;
  EXPECT_EQ(view.ScreenStart(), (TRecTime{kFirstMin, 3'000'000 + half * 1000}));
  nav.WheelStep(true);
  EXPECT_EQ(view.ScreenStart(), (TRecTime{kFirstMin, 3'000'000}));
  EXPECT_EQ(view.MinNToShow, 1);
}

TEST_F(NavigationTest, SliderReleasedNearTheRightEndShowsTheLastScreen) {
  Open("a.ZV1", QuietMinutes(600));
  Layout(12);
  nav.SliderRelease(view.layout.PlotRight - 5);
  EXPECT_EQ(view.ScreenStart().Mn, view.RangeLastMin - view.ScreenSpan.Mn);
  nav.SliderRelease(view.layout.PlotLeft - 50);
  EXPECT_EQ(view.ScreenStart().Mn, view.RangeFirstMin);
}

TEST_F(NavigationTest, MoveToChecksTheTextTheFileAndTheRange) {
  Layout(7);
  EXPECT_FALSE(nav.MoveTo("not a date", false));
  EXPECT_TRUE(host.SaidTimed(
      "Format error. \r\nTry dragging the slider on the bar above the display, and then zooming in"));

  const int32_t first = kFirstMin;
  Open("a.ZV1", QuietMinutes(3), tyFreq, first);
  fileSlots[2] = std::move(fileSlots[1]);
  fileSlots[1].ResetToVacant(1);
  Layout(7);
  bool clear = false;
  const std::string inRange = GoToText({first + 1, 1'000'000});
  EXPECT_FALSE(nav.MoveTo(inRange, false, &clear));
  EXPECT_TRUE(clear);
  EXPECT_TRUE(host.SaidTimed("File 1 must be Open... then try again"));

  CloseAllSlots(fileSlots);
  Open("b.ZV1", QuietMinutes(3), tyFreq, first);
  Layout(7);
  EXPECT_FALSE(nav.MoveTo(GoToText({first + 10, 0}), false));
  EXPECT_TRUE(host.SaidTimed(" Time not within range currently in use"));
  EXPECT_EQ(nav.MoveTo(inRange, true), first + 1);  // from the box itself: translate only

  ASSERT_EQ(nav.MoveTo(inRange, false), first + 1);
  EXPECT_LE(view.ScreenStart(), (TRecTime{first + 1, 1'000'000}));
  EXPECT_GT(view.DisplayPosition, (TRecTime{first + 1, 1'000'000}));
}

TEST_F(NavigationTest, BackToPreviousScreenStepsThroughTheHistory) {
  std::vector<Record> groups;
  for (int k = 0; k < 5; ++k) groups.push_back(WaveGroup(1'000'000 * (k + 1), 99));
  Open("a.ZV1", {MinuteOf(groups)});
  Layout(7);
  view.SeekFile = 0;
  ASSERT_TRUE(nav.ShowFromStart());
  const TRecTime first = view.DisplayPosition;
  nav.GoOn();
  const TRecTime second = view.DisplayPosition;
  nav.GoOn();
  ASSERT_NE(second, view.DisplayPosition);
  SelectDisplayTimeUnit(view, 5);
  fileSlots[1].FileYaxisType = tySPL;
  ASSERT_TRUE(nav.BackToPreviousScreen());
  EXPECT_EQ(view.DisplayTimeUnit, 7);
  EXPECT_EQ(fileSlots[1].FileYaxisType, tyFreq);
  EXPECT_EQ(view.DisplayPosition, second);
  ASSERT_TRUE(nav.BackToPreviousScreen());
  EXPECT_EQ(view.DisplayPosition, first);
}

TEST_F(NavigationTest, SavedTimePointIsWrittenAndCentred) {
  Open("a.ZV1", QuietMinutes(3));
  Layout(7);
  ASSERT_TRUE(nav.ShowFromStart());
  const int x = view.layout.PlotLeft + 123;
  const TRecTime t = PixelToTime(view, x);
  ASSERT_TRUE(nav.SaveTimePointAt(1, x));
  const std::string path = fileSlots[1].FullFileName;
  CloseSlot(fileSlots, 1);
  ASSERT_TRUE(OpenFileInSlot(fileSlots, path, 1, host, {}).opened);
  EXPECT_EQ(fileSlots[1].GoToMin, t.Mn);
  EXPECT_EQ(fileSlots[1].GoToFiveMusec, t.FiveMuSec);
  Layout(7);
  ASSERT_TRUE(nav.GoToSavedTimePoint(1));
  EXPECT_EQ(PixelToTime(view, view.layout.PlotLeft + view.layout.PlotWidth / 2), t);
}

TEST_F(NavigationTest, RefreshWarnsWhenFiltersExcludeEveryCallOfAZV3File) {
  Open("a.ZV3", {MinuteOf(OneCall(1, 100'000))});
  Layout(7);
  nav.Refresh(true, false);
  EXPECT_FALSE(host.SaidTimed("Current filters will exclude all calls"));
  nav.Refresh(true, true);
  EXPECT_TRUE(host.SaidTimed("Current filters will exclude all calls"));
}

TEST_F(NavigationTest, FitToScreenPicksTheLevelAndStartsTheRange) {
  Open("a.ZV1", QuietMinutes(1000));
  Layout(7);  // 300 columns
  ASSERT_TRUE(nav.FitToScreen());
  EXPECT_EQ(view.DisplayTimeUnit, 13);  // 1000 div 5 = 200 columns
  EXPECT_EQ(view.ScreenStart().Mn % 5, 0);
  EXPECT_LE(view.ScreenStart().Mn, view.RangeFirstMin);
  EXPECT_GE(view.DisplayPosition.Mn, view.RangeLastMin);
}

}  // namespace
}  // namespace zorvel
