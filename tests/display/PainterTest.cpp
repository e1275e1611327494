#include <gtest/gtest.h>

#include "display/DisplayFixture.h"
#include "display/Palette.h"

namespace zorvel {
namespace {

using testing::DisplayFixture;
using testing::MinuteOf;
using testing::SyntheticMinute;
using testing::WaveGroup;

// Two wave groups of one call, in ZV2 layout: call records A, B, C then the octets.
std::vector<Record> Call(int number, int tick, std::vector<uint8_t> ipis, uint8_t amp = 100,
                         tCallType type = tcFM) {
  tCall c;
  c.StartTime = tick;
  c.Number = number;
  c.Fmax = 80;
  c.Fmin = 40;
  c.MinSlopeKHZ = 45;
  c.Duration100Musecs = 30;
  c.CallType = type;
  c.SpN = 7;
  c.nSelOctInCall = static_cast<int32_t>(ipis.size());
  std::vector<Record> out;
  for (const Record& r : EncodeCall(c)) out.push_back(r);
  for (uint8_t ipi : ipis) {
    out.push_back(EncodeZV2WaveGroup(tick, {amp, amp, amp, amp}, {ipi, ipi, ipi, ipi}, false, false, number,
                                     tfNotFeature, 20));
    tick += 40;
  }
  return out;
}

class PainterTest : public DisplayFixture {
 protected:
  // Rows of column x inside the band that have the colour.
  int RowsOfColour(int slot, int x, const QColor& colour) {
    int n = 0;
    for (int y = fileSlots[slot].FileYtop; y <= fileSlots[slot].FileYbottom; ++y)
      n += Pixel(x, y) == colour.rgb();
    return n;
  }
};

TEST_F(PainterTest, OctetHeightFollowsTheKhzScaleAndIsClamped) {
  // IPI 99 gives an average of 40 kHz; IPI 20 gives 195 kHz, beyond the 160-kHz scale.
  Open("a.ZV1", {MinuteOf({WaveGroup(500'000, 99, 100), WaveGroup(700'000, 20, 100)})});
  Layout(7);
  ASSERT_EQ(view.SlotHeight, 320);
  ASSERT_TRUE(nav.ShowFromStart());
  const int bottom = fileSlots[1].FileYbottom;
  const TRecTime start = view.ScreenStart();
  const int x40 = TimeToPixel(view, start, {testing::kFirstMin, 500'000});
  const int x195 = TimeToPixel(view, start, {testing::kFirstMin, 700'000});
  EXPECT_EQ(Pixel(x40, bottom - 80), FrequencyColour(40).rgb());
  EXPECT_TRUE(IsBlack(Pixel(x40, bottom - 79)));
  EXPECT_TRUE(IsBlack(Pixel(x40, bottom - 81)));
  EXPECT_EQ(Pixel(x195, bottom - 318), FrequencyColour(195).rgb());
  EXPECT_TRUE(IsBlack(Pixel(x195, bottom - 319)));
  EXPECT_EQ(fileSlots[1].OctInThisScreen, 2);
  EXPECT_EQ(view.ShortestOnScreen, 4 + 8 * 20);
}

TEST_F(PainterTest, FiveWaveGroupsGiveAPlainColumnAndSixAColouredOne) {
  std::vector<Record> five, six;
  for (int k = 0; k < 5; ++k) five.push_back(WaveGroup(100'000 + k * 1000, 99, 160));
  for (int k = 0; k < 6; ++k) six.push_back(WaveGroup(100'000 + k * 1000, 99, 160));
  Open("a.ZV1", {MinuteOf(five), MinuteOf(six)});
  Layout(12);
  ASSERT_TRUE(nav.ShowFromStart());
  const int top = fileSlots[1].FileYtop;
  const int x0 = view.layout.PlotLeft, x1 = x0 + 3;
  EXPECT_EQ(Pixel(x0 + 1, top + 10), RgbColour(kSilver).rgb());
  EXPECT_EQ(Pixel(x1 + 1, top + 10), FrequencyColour(40).rgb());
  // Columns past the file's last minute are out of play: window colour, not data.
  EXPECT_NE(Pixel(x0 + 9, top + 10), RgbColour(kSilver).rgb());
  EXPECT_NE(Pixel(x0 + 9, top + 10), FrequencyColour(40).rgb());
}

TEST_F(PainterTest, RawFilesWeighTheDistributionByAmplitudeCallFilesByCount) {
  std::vector<Record> raw;
  for (int k = 0; k < 3; ++k) raw.push_back(WaveGroup(100'000 + k * 1000, 99, 160));  // 40 kHz, loud
  for (int k = 0; k < 3; ++k) raw.push_back(WaveGroup(200'000 + k * 1000, 50, 16));   // 79 kHz, quiet
  std::vector<Record> calls = Call(1, 100'000, {99, 99, 99}, 160);
  for (const Record& r : Call(2, 200'000, {50, 50, 50}, 16)) calls.push_back(r);
  Open("a.ZV1", {MinuteOf(raw)});
  Open("a.ZV2", {MinuteOf(calls)});
  Layout(12, 1000, 700);
  ASSERT_TRUE(nav.ShowFromStart());
  const int x = view.layout.PlotLeft + 1;
  const double h = view.SlotHeight;
  const int rawRows = RowsOfColour(1, x, FrequencyColour(40));
  const int callRows = RowsOfColour(2, x, FrequencyColour(40));
  EXPECT_GT(rawRows, 0.85 * h);
  EXPECT_GT(callRows, 0.55 * h);
  EXPECT_LT(callRows, 0.75 * h);
  EXPECT_GT(RowsOfColour(2, x, FrequencyColour(79)), 0.2 * h);
}

// Shift+F3: one low-resolution redraw that leaves what the ZV1 band shows and redraws the rest.
TEST_F(PainterTest, KeepingTheZv1BandsRedrawsOnlyTheCallFiles) {
  std::vector<Record> raw;
  for (int k = 0; k < 6; ++k) raw.push_back(WaveGroup(100'000 + k * 1000, 99, 160));
  Open("a.ZV1", {MinuteOf(raw)});
  Open("a.ZV2", {MinuteOf(Call(1, 100'000, {99, 99, 99}, 160))});
  Layout(12, 1000, 700);
  ASSERT_TRUE(nav.ShowFromStart());
  const QImage first = painter.Image().copy();
  const int x = view.layout.PlotLeft + 100;  // an empty column in both bands
  const int yRaw = fileSlots[1].FileYtop + 20, yCalls = fileSlots[2].FileYtop + 20;
  const QRgb mark = qRgb(1, 2, 3);
  painter.Image().setPixel(x, yRaw, mark);
  painter.Image().setPixel(x, yCalls, mark);
  view.KeepZv1Bands = true;
  nav.Refresh(false);
  EXPECT_EQ(Pixel(x, yRaw), mark) << "the ZV1 band is left as it was";
  EXPECT_EQ(Pixel(x, yCalls), first.pixel(x, yCalls)) << "the call file's band is drawn again";
  EXPECT_FALSE(view.KeepZv1Bands) << "for one draw only";
  EXPECT_EQ(fileSlots[2].OctInThisScreen, 3);
  nav.Refresh(false);
  EXPECT_EQ(Pixel(x, yRaw), first.pixel(x, yRaw));
  const QRect plot(view.layout.PlotLeft, view.layout.PlotTop, view.layout.PlotWidth,
                   view.layout.PlotBottom - view.layout.PlotTop);
  EXPECT_EQ(painter.Image().copy(plot), first.copy(plot)) << "an ordinary redraw draws both again";
}

TEST_F(PainterTest, NoTemperatureSegmentAtFiftyDegrees) {
  auto minutes = [](uint8_t preamp) {
    std::vector<SyntheticMinute> ms;
    for (int k = 0; k < 4; ++k) {
      MinuteValues v;
      v.PreampHalfDegPlus20 = preamp;
      ms.push_back(MinuteOf({}, v));
    }
    return ms;
  };
  options.ShowTemps = true;
  Open("warm.ZV1", minutes(20 + 40));  // 20 °C
  Open("hot.ZV1", minutes(20 + 100));  // 50 °C
  Layout(12, 1000, 700);
  ASSERT_TRUE(nav.ShowFromStart());
  const QRgb white = QColor(Qt::white).rgb();
  const int x = view.layout.PlotLeft + 4;
  EXPECT_EQ(Pixel(x, fileSlots[1].YtempOrigin - 60), white);
  for (int y = fileSlots[2].FileYtop; y <= fileSlots[2].FileYbottom; ++y)
    for (int c = 0; c < 12; ++c) ASSERT_NE(Pixel(view.layout.PlotLeft + c, y), white) << y;
}

TEST_F(PainterTest, BatteryTracesStayThirtyPixelsInsideTheBand) {
  MinuteValues v;
  v.BatVn = {250, 20, 0, 0};
  v.BatInUse = 1;
  Open("a.ZV1", {MinuteOf({}, v), MinuteOf({}, v), MinuteOf({}, v)}, tyBatteryVoltage);
  Layout(12, 1000, 300);
  ASSERT_LT(view.SlotHeight, 250);
  ASSERT_TRUE(nav.ShowFromStart());
  const TFileRec& s = fileSlots[1];
  const QRgb red = RgbColour(kBatteryColours[0]).rgb();
  int highest = INT32_MAX;
  for (int y = s.FileYtop; y <= s.FileYbottom; ++y)
    for (int x = view.layout.PlotLeft; x < view.layout.PlotLeft + 12; ++x)
      if (Pixel(x, y) == red) highest = std::min(highest, y);
  EXPECT_GE(highest, s.FileYtop + 29);
  EXPECT_LE(highest, s.FileYtop + 31);
  // Battery 2 at 2.0 V sits 20 pixels above the band bottom.
  EXPECT_EQ(Pixel(view.layout.PlotLeft + 4, s.FileYbottom - 20), RgbColour(kBatteryColours[1]).rgb());
}

TEST_F(PainterTest, CallsFillThePerPixelCallIndex) {
  std::vector<Record> calls = Call(1, 100'000, {99, 99, 99});
  for (const Record& r : Call(2, 400'000, {60, 60, 60})) calls.push_back(r);
  Open("a.ZV2", {MinuteOf(calls)});
  Layout(7);
  ASSERT_TRUE(nav.ShowFromStart());
  const TFileRec& s = fileSlots[1];
  const TRecTime start = view.ScreenStart();
  const int x1 = TimeToPixel(view, start, {testing::kFirstMin, 100'000});
  const int x2 = TimeToPixel(view, start, {testing::kFirstMin, 400'000});
  ASSERT_EQ(s.CallsInThisScreen, 2);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x1)], 1);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x1 + 10)], 1);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x1 + 100)], 0);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x2 - 5)], 2);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x2)], 2);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x2 + 10)], 2);
  EXPECT_EQ(s.ScreenXarr[static_cast<size_t>(x2 + 11)], 0);
  ASSERT_EQ(s.ScreenCallsArr.size(), 3u);
  EXPECT_EQ(s.ScreenCallsArr[1].SpN, 7);
  EXPECT_EQ(s.ScreenCallsArr[2].Fmax, 80);
  EXPECT_EQ(s.ScreenCallsArr[2].MinSlopeKHZ, 45);
}

TEST_F(PainterTest, ZV3FilesAreDrawnAsCallFiles) {
  const std::vector<SyntheticMinute> ms{MinuteOf(Call(1, 100'000, {99, 90, 80, 70}))};
  Open("a.ZV2", ms);
  Layout(2);
  nav.PositionAll({testing::kFirstMin, 99'000});
  view.RequestedStart = {testing::kFirstMin, 99'000};
  nav.DrawHigh();
  const QImage zv2 = painter.Image().copy();
  CloseSlot(fileSlots, 1);
  Open("a.ZV3", ms);
  Layout(2);
  nav.PositionAll({testing::kFirstMin, 99'000});
  view.RequestedStart = {testing::kFirstMin, 99'000};
  nav.DrawHigh();
  EXPECT_EQ(fileSlots[1].OctInThisScreen, 4);
  EXPECT_EQ(painter.Image(), zv2);
  int lit = 0;
  for (int x = view.layout.PlotLeft; x < view.layout.PlotRight; ++x)
    for (int y = fileSlots[1].FileYtop; y < fileSlots[1].FileYbottom; ++y) lit += !IsBlack(Pixel(x, y));
  EXPECT_GT(lit, 10);
  EXPECT_TRUE(host.timed.empty());
}

}  // namespace
}  // namespace zorvel
