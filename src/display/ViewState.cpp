#include "display/ViewState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "display/Levels.h"
#include "display/Messages.h"
#include "display/TimeMath.h"

namespace zorvel {

Layout ComputeLayout(const LayoutInput& in) {
  Layout l;
  l.PlotLeft = (in.setViewPanelVisible ? in.setViewPanelWidth : 0) + 25;
  l.PlotWidth = std::max(0, (in.clientWidth - l.PlotLeft - 50) / 9 * 9);
  l.PlotRight = l.PlotLeft + l.PlotWidth;
  l.MinuteUnits = l.PlotWidth / 3;
  l.PlotTop = in.backBarBottom;
  l.PlotBottom = in.clientHeight - in.statusPanelHeight - 42;
  return l;
}

TRecTime ViewState::ScreenStart() const {
  return SubTime(DisplayPosition, ScreenSpan);
}

int ApplyLevel(ViewState& v) {
  const LevelInfo& info = Levels()[static_cast<size_t>(v.DisplayTimeUnit)];
  const Layout& l = v.layout;
  v.FiveMusecPerPixel = kDefaultFiveMusecPerPixel;
  if (IsHighRes(v.DisplayTimeUnit)) {
    v.FiveMusecPerPixel = info.perUnit;
    v.MinutesPerUnit = 1;
    const uint64_t a = static_cast<uint64_t>(l.PlotWidth) * static_cast<uint64_t>(v.FiveMusecPerPixel);
    v.ScreenSpan = {static_cast<int32_t>(a / 12'000'000), static_cast<int32_t>(a % 12'000'000)};
    v.HalfScreenSpan = {static_cast<int32_t>(a / 24'000'000), static_cast<int32_t>((a / 2) % 12'000'000)};
    v.EighthScreenSpan = {static_cast<int32_t>(a / 96'000'000), static_cast<int32_t>((a / 8) % 12'000'000)};
  } else {
    const int32_t mpc = info.perUnit;
    v.MinutesPerUnit = mpc;
    v.ScreenSpan = {l.MinuteUnits * mpc, 0};
    // One- and five-minute columns leave half a minute over when the product is odd.
    if (mpc == 1) {
      v.HalfScreenSpan = {l.MinuteUnits / 2, l.MinuteUnits % 2 ? kTicksPerMinute / 2 : 0};
    } else if (mpc == 5) {
      const int32_t p = l.MinuteUnits * 5;
      v.HalfScreenSpan = {p / 2, p % 2 ? kTicksPerMinute / 2 : 0};
    } else {
      v.HalfScreenSpan = {l.MinuteUnits * (mpc / 2), 0};
    }
  }
  v.QuarterScreenSpan = {v.HalfScreenSpan.Mn / 2, v.HalfScreenSpan.FiveMuSec / 2 +
                                                      (v.HalfScreenSpan.Mn % 2 ? kTicksPerMinute / 2 : 0)};
  return info.rulerSpacing;
}

TRecTime PixelToTime(const ViewState& v, int x) {
  const Layout& l = v.layout;
  const int o = std::clamp(x, l.PlotLeft, l.PlotRight) - l.PlotLeft;
  const TRecTime base = SubTime(v.DisplayPosition, v.ScreenSpan);
  if (v.HighRes()) return AddTicks(base, int64_t{o} * v.FiveMusecPerPixel);
  return {base.Mn + (o / 3) * v.MinutesPerUnit, base.FiveMuSec};
}

int TimeToPixel(const ViewState& v, TRecTime start, TRecTime t) {
  const int64_t d = (int64_t{t.Mn} - start.Mn) * kTicksPerMinute + t.FiveMuSec - start.FiveMuSec;
  const int64_t x = v.layout.PlotLeft + d / std::max(v.FiveMusecPerPixel, 1);
  return static_cast<int>(std::min<int64_t>(x, v.layout.PlotRight));
}

namespace {

void ChangeLevel(ViewState& v, int level) {
  const bool wasHigh = v.HighRes();
  v.DisplayTimeUnit = level;
  ApplyLevel(v);
  if (wasHigh != v.HighRes()) v.FrameDirty = true;
}

}  // namespace

bool ZoomIn(ViewState& v, Host& host) {
  if (v.DisplayTimeUnit == 0) {
    host.TimedMessage(msg::kMaxResolution, 3000);
    return false;
  }
  ChangeLevel(v, v.DisplayTimeUnit - 1);
  return true;
}

bool ZoomOut(ViewState& v, Host& host) {
  if (v.DisplayTimeUnit == kLevelCount - 1) {
    host.TimedMessage(msg::kMinResolution, 3000);
    return false;
  }
  ChangeLevel(v, v.DisplayTimeUnit + 1);
  return true;
}

void SelectDisplayTimeUnit(ViewState& v, int level) {
  level = std::clamp(level, 0, kLevelCount - 1);
  const TRecTime centre = PixelToTime(v, v.layout.PlotLeft + v.layout.PlotWidth / 2);
  while (v.DisplayTimeUnit != level) ChangeLevel(v, v.DisplayTimeUnit + (level > v.DisplayTimeUnit ? 1 : -1));
  ApplyLevel(v);
  v.DisplayPosition = AddTime(centre, v.HalfScreenSpan);
}

void SetFullRange(ViewState& v, const FileSlots& fileSlots) {
  bool any = false;
  for (int i = 1; i <= kSlotCount; ++i) {
    const TFileRec& s = fileSlots[i];
    if (!s.Open) continue;
    if (!any || s.FirstLoggedMin < v.RangeFirstMin) v.RangeFirstMin = s.FirstLoggedMin;
    if (!any || s.LastLoggedMin > v.RangeLastMin) v.RangeLastMin = s.LastLoggedMin;
    any = true;
  }
  if (!any) v.RangeFirstMin = v.RangeLastMin = 0;
  v.RangeMinutes = v.RangeLastMin - v.RangeFirstMin + 1;
}

void LayoutBands(ViewState& v, FileSlots& fileSlots) {
  const Layout& l = v.layout;
  const int n = fileSlots.OpenCount();
  const size_t arrLen = static_cast<size_t>(std::max(l.PlotRight + 10, 10));
  if (n <= 1) {
    v.SlotHeight = l.PlotBottom - l.PlotTop - 4;
    if (const int first = fileSlots.LowestOpenSlot()) {
      TFileRec& s = fileSlots[first];
      s.FileYtop = l.PlotTop + 3;
      s.FileYbottom = l.PlotBottom - 1;
      s.YmidOffset = l.PlotBottom - v.SlotHeight / 2 - 3;
      s.Yvoltages = l.PlotTop + 93;
      s.YtempOrigin = l.PlotBottom - 51;
    }
  } else {
    v.SlotHeight = (l.PlotBottom - l.PlotTop - 4) / n - 2;
    int c = 0;
    for (int i = 1; i <= kSlotCount; ++i) {
      TFileRec& s = fileSlots[i];
      if (!s.Open) continue;
      s.FileYbottom = l.PlotBottom - c * (v.SlotHeight + 2) - 1;
      s.FileYtop = s.FileYbottom - v.SlotHeight;
      s.YtempOrigin = s.FileYbottom - 50;
      s.YmidOffset = s.FileYbottom - v.SlotHeight / 2 - 2;
      s.Yvoltages = s.FileYtop + 90;
      ++c;
    }
  }
  for (int i = 1; i <= kSlotCount; ++i)
    if (fileSlots[i].ScreenXarr.size() < arrLen) fileSlots[i].ScreenXarr.assign(arrLen, 0);
  v.FirstBandMiddle = v.SlotHeight / 2 + l.PlotTop;
  v.FrameDirty = true;
}

namespace {

std::string Fixed(double value, int decimals) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  return buf;
}

}  // namespace

std::vector<RulerLabel> RulerLabels(const ViewState& v) {
  std::vector<RulerLabel> out;
  const Layout& l = v.layout;
  const int level = v.DisplayTimeUnit;
  const LevelInfo& info = Levels()[static_cast<size_t>(level)];
  const int s = info.rulerSpacing;
  if (level == 0) return out;
  if (level <= 4) {
    out.push_back({l.PlotLeft - 1, std::string(msg::kRulerZeroMs)});
    // Labels stop 36 pixels short of the plot's right edge so the last one fits.
    for (int j = 1; l.PlotLeft + j * s - 1 <= l.PlotRight - 36; ++j)
      out.push_back({l.PlotLeft + j * s - 1, std::string(msg::kRulerMsPrefix) +
                                                 std::to_string(int64_t{j} * s * v.FiveMusecPerPixel / 200) +
                                                 std::string(msg::kRulerMsSuffix)});
    return out;
  }
  for (int i = 0; i <= l.PlotWidth / s; ++i) {
    std::string text(msg::kRulerPrefix);
    if (level <= 11) {
      const double seconds = double(i) * s * v.FiveMusecPerPixel / 200000.0;
      text += Fixed(seconds, level <= 7 ? 1 : 0) + "s";
    } else {
      text += std::to_string(info.rulerStep * i) + std::string(info.rulerUnit);
    }
    out.push_back({l.PlotLeft + i * s - 1, text});
  }
  return out;
}

int RulerCentreX(const Layout& l) {
  return (l.PlotLeft + l.PlotRight - 1) / 2;
}

SliderGeometry SliderPosition(const ViewState& v) {
  const Layout& l = v.layout;
  SliderGeometry g;
  const int32_t range = std::max(v.RangeMinutes, 1);
  const TRecTime start = v.ScreenStart();
  if (range >= v.ScreenSpan.Mn) {
    g.left = l.PlotLeft +
             static_cast<int>(std::lround(double(l.PlotWidth) / range * (start.Mn - v.RangeFirstMin)));
    g.left = std::min(g.left, l.PlotRight - 8);
    if (v.HighRes()) {
      g.width = 8;
    } else if (start.Mn + v.ScreenSpan.Mn >= v.RangeLastMin) {
      g.width = l.PlotRight - g.left;
    } else {
      g.width = static_cast<int>(int64_t{l.PlotWidth} * v.ScreenSpan.Mn / range);
    }
    g.left = std::max(g.left, l.PlotLeft);
    g.width = std::max(g.width, 1);
    return g;
  }
  // The whole range fits on the screen: the slider covers the part of the plot it occupies.
  const double perMinute = double(l.PlotWidth) / std::max(v.ScreenSpan.Mn, 1);
  const int32_t end = start.Mn + v.ScreenSpan.Mn;
  const bool startsOnScreen = v.RangeFirstMin >= start.Mn && v.RangeFirstMin <= end;
  const bool endsOnScreen = v.RangeLastMin >= start.Mn && v.RangeLastMin <= end;
  g.left = startsOnScreen
               ? l.PlotLeft + static_cast<int>(std::lround(perMinute * (v.RangeFirstMin - start.Mn)))
               : l.PlotLeft;
  const int right =
      endsOnScreen ? l.PlotLeft + static_cast<int>(std::lround(perMinute * (v.RangeLastMin + 1 - start.Mn)))
                   : l.PlotRight;
  g.width = std::max(1, std::min(right, l.PlotRight) - g.left);
  return g;
}

int32_t SliderDragMinute(const ViewState& v, int left) {
  const Layout& l = v.layout;
  return v.RangeFirstMin +
         static_cast<int32_t>(int64_t{left - l.PlotLeft} * v.RangeMinutes / std::max(l.PlotWidth, 1));
}

int32_t SliderReleaseMinute(const ViewState& v, int left) {
  const Layout& l = v.layout;
  if (left > l.PlotRight - 10) return v.RangeLastMin - v.ScreenSpan.Mn;
  if (left < l.PlotLeft) return v.RangeFirstMin;
  return SliderDragMinute(v, left);
}

}  // namespace zorvel
