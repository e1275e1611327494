#include <gtest/gtest.h>

#include "core/TimeBase.h"
#include "display/PointerReadout.h"
#include "display/PointerSelection.h"
#include "display/PointerZoom.h"
#include "display/TimeMath.h"
#include "filters/Sequence.h"

namespace zorvel {
namespace {

// A 900-pixel plot from x = 25, at `level`, whose screen starts at `start`.
ViewState ScreenAt(int level, TRecTime start) {
  ViewState v;
  LayoutInput in;
  in.clientWidth = 975;
  v.layout = ComputeLayout(in);
  v.DisplayTimeUnit = level;
  ApplyLevel(v);
  v.DisplayPosition = AddTime(start, v.ScreenSpan);
  return v;
}

int32_t Minute(int year, int month, int day, int hour, int minute) {
  return *MinuteNumber(year, month, day, hour, minute);
}

TEST(DragZoom, ReleaseRules) {
  const Layout l = ScreenAt(7, {}).layout;  // PlotTop 30, PlotRight 925
  ASSERT_EQ(l.PlotRight, 925);
  EXPECT_FALSE(DragReleaseZooms(l, 7, 100, 110, 300)) << "10 pixels is not a drag";
  EXPECT_TRUE(DragReleaseZooms(l, 7, 100, 111, 300));
  EXPECT_FALSE(DragReleaseZooms(l, 0, 100, 300, 300)) << "nothing finer than level 0";
  EXPECT_FALSE(DragReleaseZooms(l, 7, 15, 300, 300)) << "no drag was started";
  EXPECT_FALSE(DragReleaseZooms(l, 7, 100, 925, 300)) << "released on the right edge";
  EXPECT_FALSE(DragReleaseZooms(l, 7, 100, 300, 30));
  EXPECT_FALSE(DragReleaseZooms(l, 7, 100, 300, l.PlotBottom));
  EXPECT_TRUE(DragReleaseZooms(l, 7, 100, 300, l.PlotBottom - 1));
  EXPECT_FALSE(DragReleaseZooms(l, 7, 300, 200, 300)) << "leftward drags do not zoom";
  EXPECT_TRUE(DragPressStarts(l, 16, 31));
  EXPECT_FALSE(DragPressStarts(l, 15, 300));
  EXPECT_FALSE(DragLineShown(1, 100, 300));
  EXPECT_TRUE(DragLineShown(2, 100, 111));
  EXPECT_FALSE(DragLineShown(2, 100, 110));
}

TEST(DragZoom, DurationCarriesAndCaps) {
  EXPECT_EQ(DragDurationMs({5, 11'000'000}, {6, 1'000'000}), 10'000);
  EXPECT_EQ(DragDurationMs({5, 0}, {5, 199}), 0);
  EXPECT_EQ(DragDurationMs({0, 0}, {34'999, 0}), 2'099'940'000);
  EXPECT_EQ(DragDurationMs({0, 0}, {35'000, 0}), 2'100'000'000);
  EXPECT_EQ(DragDurationMs({0, 0}, {35'000, 400}), 2'100'000'002);
}

TEST(DragZoom, LevelTablesAtTheirBoundaries) {
  const std::pair<int64_t, int> high[] = {
      {0, 0},    {1, 1},    {2, 2},     {3, 2},     {4, 3},      {19, 3},      {20, 4},   {99, 4},
      {100, 5},  {199, 5},  {200, 6},   {399, 6},   {400, 7},    {999, 7},     {1000, 8}, {1999, 8},
      {2000, 9}, {3999, 9}, {4000, 10}, {9999, 10}, {10000, 11}, {999999, 11}, {-5, 0}};
  for (auto [l, level] : high) EXPECT_EQ(HighResLevelForTicksPerPixel(l), level) << l;
  const std::pair<int64_t, int> low[] = {{0, 12},     {1, 13},    {4, 13},    {5, 14},    {29, 14},
                                         {30, 15},    {59, 15},   {60, 16},   {359, 16},  {360, 17},
                                         {719, 17},   {720, 18},  {1439, 18}, {1440, 19}, {10079, 19},
                                         {10080, 20}, {99999, 20}};
  for (auto [m, level] : low) EXPECT_EQ(LowResLevelForMinutesPerColumn(m), level) << m;
}

TEST(DragZoom, HighResolutionCentresOnTheDrag) {
  // 5 ms pixels: 100 pixels are 500 ms, 111 ticks a pixel → level 5 (1 ms pixels).
  const ViewState v = ScreenAt(7, {100, 0});
  const DragZoomTarget z = DragZoom(v, 125, 225);
  EXPECT_EQ(z.level, 5);
  // Centre 100,000 + 50,000 ticks, less half of 900 pixels of 200 ticks.
  EXPECT_EQ(z.DisplayPosition, (TRecTime{100, 60'000}));
}

TEST(DragZoom, ExactlyAScreenOfTenthSecondsGoesToLowResolution) {
  // 900 × 100 ms = 90 s. One millisecond less stays at the coarsest high-resolution level.
  const ViewState v = ScreenAt(11, {100, 0});
  const DragZoomTarget exact = DragZoomBetween(v, {100, 0}, {101, 6'000'000});
  EXPECT_EQ(exact.level, 12);
  EXPECT_EQ(exact.DisplayPosition, (TRecTime{100 - 150, 0}));
  const DragZoomTarget shorter = DragZoomBetween(v, {100, 0}, {101, 5'999'800});
  EXPECT_EQ(shorter.level, 11);
}

TEST(DragZoom, LowResolutionDragAndLevelTwelveGoingBack) {
  // Level 14: 30-minute columns. 10 columns = 300 minutes → 1 minute a column of 300 → level 13.
  const ViewState v = ScreenAt(14, {10'000, 0});
  const DragZoomTarget z = DragZoom(v, 25, 55);
  EXPECT_EQ(z.level, 13);
  EXPECT_EQ(z.DisplayPosition, (TRecTime{10'000 + 150 - 750, 0}));
  // At level 12 even a long drag returns to high resolution.
  const ViewState one = ScreenAt(12, {10'000, 0});
  EXPECT_EQ(DragZoom(one, 25, 325).level, 11);
}

TEST(Rescale, F5HalvesWithFloors) {
  EXPECT_EQ(RescaledMax(tyFreq, 40, true, false), 20);
  EXPECT_EQ(RescaledMax(tyFreq, 20, true, false), 16);
  EXPECT_EQ(RescaledMax(tyPeriod, 5, true, false), 4);
  EXPECT_EQ(RescaledMax(tySPL, 301, true, false), 150);
  EXPECT_EQ(RescaledMax(tyCallType, 2, true, false), 4);
  EXPECT_EQ(RescaledMax(tyFreq, 3, false, false), 1) << "low resolution halves the count box";
  EXPECT_EQ(RescaledMax(tyFreq, 1, false, false), 1);
  EXPECT_FALSE(RescaledMax(tyBatteryVoltage, 10, true, false));
}

TEST(Rescale, F6DoublesUpToCeilings) {
  EXPECT_EQ(RescaledMax(tyPeriod, 200, true, true), 255);
  EXPECT_EQ(RescaledMax(tyPeriod, 100, true, true), 200);
  EXPECT_EQ(RescaledMax(tyFreq, 300, true, true), 512);
  EXPECT_EQ(RescaledMax(tySPL, 1500, true, true), 2048);
  EXPECT_EQ(RescaledMax(tyCallType, 5000, true, true), 10000);
  EXPECT_EQ(RescaledMax(tySPL, 7, false, true), 14);
}

TEST(Rescale, ChangesOnlyTheBoxOfTheAxis) {
  ScaleEdits e;
  ASSERT_TRUE(RescaleAxis(e, tyPeriod, true, true));
  EXPECT_EQ(e.periodMax, 60);
  EXPECT_EQ(e.kHzMax, 160);
  EXPECT_EQ(e.countMax, 50);
  ASSERT_TRUE(RescaleAxis(e, tyFreq, false, false));
  EXPECT_EQ(e.countMax, 25);
  EXPECT_EQ(e.kHzMax, 160);
  const ScaleEdits before = e;
  EXPECT_FALSE(RescaleAxis(e, tyBatteryVoltage, true, true));
  EXPECT_EQ(e.amplitudeMax, before.amplitudeMax);
  EXPECT_EQ(e.periodMax, before.periodMax);
}

TEST(Readout, HighResolutionValueByAxis) {
  TFileRec s;
  s.FileYbottom = 500;
  s.YmidOffset = 300;
  Scales sc;
  sc.perKHz = 2, sc.perIPI = 0.5, sc.perAmp = 0.25, sc.perCount = 2;
  s.FileYaxisType = tyFreq;
  EXPECT_EQ(HighResValueLabel(s, sc, 400), "50 kHz ");
  EXPECT_EQ(HighResValueLabel(s, sc, 399), "51 kHz ") << "50.5 rounds away from zero";
  s.FileYaxisType = tyPeriod;
  EXPECT_EQ(HighResValueLabel(s, sc, 400), "50 us  ");
  s.FileYaxisType = tySPL;
  EXPECT_EQ(HighResValueLabel(s, sc, 200), "100 SPL  ");
  EXPECT_EQ(HighResValueLabel(s, sc, 310), "-10 SPL  ");
  s.FileYaxisType = tyCallType;
  EXPECT_EQ(HighResValueLabel(s, sc, 290), "5 n/min  ");
  s.FileYaxisType = tyBatteryVoltage;
  EXPECT_EQ(HighResValueLabel(s, sc, 377), "12.3 volts ");
  EXPECT_EQ(HighResValueLabel(s, sc, 380), "12 volts ");
}

TEST(Readout, LowResolutionTemperatureLightAndBattery) {
  TFileRec s;
  s.FileYaxisType = tyFreq;
  s.YtempOrigin = 400;
  s.Yvoltages = 300;
  DisplayOptions o;
  EXPECT_EQ(LowResValueLabel(s, o, 370), "") << "both boxes unticked";
  o.ShowTemps = true;
  EXPECT_EQ(LowResValueLabel(s, o, 370), " Temp: 10degC  ");
  EXPECT_EQ(LowResValueLabel(s, o, 400), " Temp: 0degC  ");
  EXPECT_EQ(LowResValueLabel(s, o, 251), " Temp: 49degC  ");
  EXPECT_EQ(LowResValueLabel(s, o, 250), "");
  EXPECT_EQ(LowResValueLabel(s, o, 401), "");
  o.ShowLight = true;
  EXPECT_EQ(LowResValueLabel(s, o, 290), " Temp: 36degC   Light: 10");
  EXPECT_EQ(LowResValueLabel(s, o, 273), " Temp: 42degC  ") << "27 above the light origin is too far";
  s.FileYaxisType = tyBatteryVoltage;
  s.FileYbottom = 500;
  EXPECT_EQ(LowResValueLabel(s, o, 380), "12.0 volts ");
  EXPECT_EQ(LowResValueLabel(s, o, 500), "");
  EXPECT_EQ(LowResTimeLabel(Minute(2026, 12, 8, 9, 5)), " 8/12/2026 09:05 ");
}

TEST(Readout, HighResolutionTimeTrimsMicroseconds) {
  const int32_t mn = Minute(2026, 12, 8, 9, 5);
  EXPECT_EQ(HighResTimeLabel({mn, 3'400'000}, false), " 08/12/2026 09:05:17.0 ");
  EXPECT_EQ(HighResTimeLabel({mn, 3'400'001}, false), " 08/12/2026 09:05:17.000005 ");
  EXPECT_EQ(HighResTimeLabel({mn, 3'400'100}, true), " 08/12/2026 09:05:17.0005 *|* ");
}

TEST(Readout, GraphAxes) {
  EXPECT_EQ(GraphValueLabel(tDiel, 25, 29), "12 hr");
  EXPECT_EQ(GraphValueLabel(tDiel, 25, 29 + 24 * 12), "0 hr");
  EXPECT_EQ(GraphValueLabel(tDiel, 25, 29 + 24 * 23), "11 hr");
  EXPECT_EQ(GraphValueLabel(tDuration, 25, 105), "2 ms");
  EXPECT_EQ(GraphValueLabel(tAmplitude, 25, 71), "10 SPL");
  EXPECT_EQ(GraphValueLabel(tMaxKHZ, 25, 71), "10 kHz");
}

TEST(Readout, CallLabelsFromTheColumnArray) {
  TFileRec s;
  s.FileType = ftZV3;
  s.ScreenXarr.assign(100, 0);
  s.ScreenXarr[50] = 1;
  s.ScreenXarr[60] = 2;  // beyond the summaries: ignored
  s.ScreenCallsArr.resize(2);
  s.ScreenCallsArr[1] = {3, 57, 40, 80, 45, 0x1234, 0, 0};
  s.SpNames[3] = "Pip";
  const auto labels = CallLabelsAt(s, 50);
  ASSERT_TRUE(labels);
  EXPECT_EQ(labels->call, " Call: 80 to 40kHz  MinSlope@ 45kHz");
  EXPECT_EQ(labels->details, " Sp: Pip Duration 5.7mS  Seq " + FeatureString(0x1234));
  EXPECT_FALSE(CallLabelsAt(s, 49));
  EXPECT_FALSE(CallLabelsAt(s, 60));
  EXPECT_FALSE(CallLabelsAt(s, 100));
  EXPECT_FALSE(CallLabelsAt(s, -1));
  // With a confidence and a second species (ZorvelEU1) both are read out.
  s.ScreenCallsArr[1] = {23, 57, 40, 80, 45, 0x1234, 12, 3};
  s.SpNames[23] = "Pipistrellus";
  s.SpNames[3] = "CmnPip";
  EXPECT_EQ(CallLabelsAt(s, 50)->details,
            " Sp: Pipistrellus conf 12 or CmnPip Duration 5.7mS  Seq " + FeatureString(0x1234));
  // Numbers beyond the file's names read out as numbers.
  s.ScreenCallsArr[1] = {30, 57, 40, 80, 45, 0x1234, 12, 255};
  EXPECT_EQ(CallLabelsAt(s, 50)->details,
            " Sp: Sp30 conf 12 or Sp255 Duration 5.7mS  Seq " + FeatureString(0x1234));
  s.FileType = ftZV1;
  EXPECT_FALSE(CallLabelsAt(s, 50)) << "ZV1 bands carry no calls";
}

TEST(Readout, PlacementFlipsAtTheEdges) {
  const Layout l = ScreenAt(7, {}).layout;  // PlotRight 925
  const int b = l.PlotBottom;
  InfoWindowPlace p = InfoWindowPlacement(1000, 2000, l, 100, 100);
  EXPECT_EQ(p.left, 1140);
  EXPECT_EQ(p.top, 2150);
  EXPECT_EQ(InfoWindowPlacement(0, 0, l, 754, 0).left, 794);
  EXPECT_EQ(InfoWindowPlacement(0, 0, l, 755, 0).left, 605);
  EXPECT_EQ(InfoWindowPlacement(0, 0, l, 0, b - 71).top, b - 21);
  EXPECT_EQ(InfoWindowPlacement(0, 0, l, 0, b - 70).top, b - 110);
}

TEST(Readout, SlotAndCaptionUnderThePointer) {
  FileSlots slots;
  const Layout l = ScreenAt(7, {}).layout;
  EXPECT_EQ(SlotUnderPointer(slots, l, 100, 100), 0);
  EXPECT_EQ(PointerCaption(slots, 0), "Zorvel.exe version date: 06 Dec 2024");
  slots[1].Open = true, slots[1].FileYtop = 400, slots[1].FileYbottom = 600;
  slots[1].FullFileName = "/data/one.ZV3";
  slots[2].Open = true, slots[2].FileYtop = 200, slots[2].FileYbottom = 400;
  slots[2].FullFileName = "/data/two.ZV2";
  EXPECT_EQ(SlotUnderPointer(slots, l, 100, 450), 1);
  EXPECT_EQ(SlotUnderPointer(slots, l, 100, 300), 2);
  EXPECT_EQ(SlotUnderPointer(slots, l, 100, 400), 0) << "the border belongs to neither band";
  EXPECT_EQ(SlotUnderPointer(slots, l, 10, 450), 0) << "left of the plot";
  EXPECT_EQ(PointerCaption(slots, 2), "two.ZV2  (under pointer)");
  EXPECT_EQ(PointerCaption(slots, 0), "one.ZV3");
}

class Selection : public ::testing::Test {
 protected:
  void SetUp() override {
    Open(1, 1000, 2000);
    Open(2, 1500, 3000);
    Open(4, 100, 5000);  // after a gap: the selection rules stop at slot 3
    v.RangeFirstMin = 1000, v.RangeLastMin = 3000;
  }
  void Open(int i, int32_t first, int32_t last) {
    TFileRec& s = slots[i];
    s.Open = true;
    s.FirstLoggedMin = s.FirstProcessMin = first;
    s.LastLoggedMin = s.LastProcessMin = last;
  }
  FileSlots slots;
  ViewState v;
  TimeSelection sel;
};

TEST_F(Selection, StartAndEndNarrowTheProcessMinutes) {
  SetSelectionStart(sel, v, slots, 1200);
  EXPECT_TRUE(sel.SelectionActive);
  EXPECT_EQ(v.RangeMinutes, 1801);
  EXPECT_EQ(slots[1].FirstProcessMin, 1200);
  EXPECT_EQ(slots[2].FirstProcessMin, 1500);
  EXPECT_EQ(slots[4].FirstProcessMin, 100);
  SetSelectionEnd(sel, v, slots, 1800);
  EXPECT_EQ(v.RangeMinutes, 601);
  EXPECT_EQ(slots[1].LastProcessMin, 1800);
  EXPECT_EQ(slots[2].LastProcessMin, 1800);
  EXPECT_EQ(slots[4].LastProcessMin, 5000);
  SetSelectionStart(sel, v, slots, 2500);
  EXPECT_EQ(slots[1].FirstProcessMin, 1200) << "slot 1 ends before the new start";
  EXPECT_EQ(slots[2].FirstProcessMin, 2500);
  EXPECT_EQ(v.RangeMinutes, -699) << "an end before the start is kept as given";
}

TEST_F(Selection, ClearRestoresEverySlotAndTheWholeRange) {
  SetSelectionStart(sel, v, slots, 1200);
  SetSelectionEnd(sel, v, slots, 1800);
  v.PreviousScreen = {50, 7};
  ClearSelection(sel, v, slots);
  EXPECT_FALSE(sel.SelectionActive);
  EXPECT_EQ(v.RangeFirstMin, 100);
  EXPECT_EQ(v.RangeLastMin, 5000);
  EXPECT_EQ(v.RangeMinutes, 4901);
  EXPECT_EQ(v.PreviousScreen, (TRecTime{100, 0}));
  for (int i : {1, 2, 4}) {
    EXPECT_EQ(slots[i].FirstProcessMin, slots[i].FirstLoggedMin);
    EXPECT_EQ(slots[i].LastProcessMin, slots[i].LastLoggedMin);
  }
  v.PreviousScreen = {200, 7};
  ClearSelection(sel, v, slots);
  EXPECT_EQ(v.PreviousScreen, (TRecTime{200, 7})) << "inside the range it stays";
}

TEST_F(Selection, RangeLabels) {
  const int32_t from = Minute(2026, 12, 8, 9, 5);
  v.RangeFirstMin = from, v.RangeLastMin = from + 600, v.RangeMinutes = 601;
  RangeTexts t = RangeLabelTexts(v, sel, true);
  EXPECT_EQ(t.range, "Range 10h 1m (full range)");
  EXPECT_EQ(t.from, "From: 8/12/2026 09:05");
  EXPECT_EQ(t.to, "To:    8/12/2026 19:05");
  EXPECT_EQ(t.hint, "Selection: 8/12/2026 09:05  to  8/12/2026 19:05");
  sel.SelectionActive = true;
  t = RangeLabelTexts(v, sel, true);
  EXPECT_EQ(t.range, "Range 10h 1m (selection)");
  EXPECT_EQ(t.from, "From: 8/12/2026 09:05 (selection)");
  EXPECT_EQ(t.to, "To:    8/12/2026 19:05 (selection)");
  t = RangeLabelTexts(v, sel, false);
  EXPECT_EQ(t.range, "Range");
  EXPECT_EQ(t.from, "From:");
  EXPECT_EQ(t.to, "To:");
}

}  // namespace
}  // namespace zorvel
