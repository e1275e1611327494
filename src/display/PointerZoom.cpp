#include "display/PointerZoom.h"

#include <algorithm>
#include <cmath>

#include "core/TimeBase.h"
#include "display/Levels.h"
#include "display/TimeMath.h"

namespace zorvel {

bool DragReleaseZooms(const Layout& l, int level, int dragStartX, int x, int y) {
  const bool inside = x > 28 && x < l.PlotRight && l.PlotTop < y && y < l.PlotBottom;
  return inside && dragStartX > 15 && x - dragStartX > 10 && level > 0;
}

bool DragPressStarts(const Layout& l, int x, int y) {
  return x > 15 && x < l.PlotRight && l.PlotTop < y && y < l.PlotBottom;
}

bool DragLineShown(int level, int dragStartX, int x) {
  return dragStartX > 15 && x - dragStartX > 10 && level > 1;
}

int64_t DragDurationMs(TRecTime a, TRecTime b) {
  int64_t minutes = int64_t{b.Mn} - a.Mn;
  int64_t ticks = int64_t{b.FiveMuSec} - a.FiveMuSec;
  if (ticks < 0) {
    ticks += kTicksPerMinute;
    --minutes;
  }
  const int64_t minuteMs = minutes > 34'999 ? 2'100'000'000 : minutes * 60'000;
  return minuteMs + ticks / 200;
}

int HighResLevelForTicksPerPixel(int64_t l) {
  if (l <= 0) return 0;
  if (l == 1) return 1;
  if (l <= 3) return 2;
  if (l <= 19) return 3;
  if (l <= 99) return 4;
  if (l <= 199) return 5;
  if (l <= 399) return 6;
  if (l <= 999) return 7;
  if (l <= 1999) return 8;
  if (l <= 3999) return 9;
  if (l <= 9999) return 10;
  return 11;
}

int LowResLevelForMinutesPerColumn(int64_t m) {
  if (m <= 0) return 12;
  if (m <= 4) return 13;
  if (m <= 29) return 14;
  if (m <= 59) return 15;
  if (m <= 359) return 16;
  if (m <= 719) return 17;
  if (m <= 1439) return 18;
  if (m <= 10079) return 19;
  return 20;
}

DragZoomTarget DragZoom(const ViewState& v, int x1, int x2) {
  return DragZoomBetween(v, PixelToTime(v, x1), PixelToTime(v, x2));
}

DragZoomTarget DragZoomBetween(const ViewState& v, TRecTime t1, TRecTime t2) {
  const Layout& l = v.layout;
  const int64_t d = DragDurationMs(t1, t2);
  DragZoomTarget out;
  if (d < int64_t{l.PlotWidth} * 100 || v.DisplayTimeUnit == kFirstLowResLevel) {
    out.level = HighResLevelForTicksPerPixel(d * 200 / std::max(l.PlotWidth, 1));
    const int64_t perPixel = Levels()[static_cast<size_t>(out.level)].perUnit;
    const TRecTime centre = AddTicks(t1, d * 100);
    const int64_t half = perPixel * l.PlotWidth / 2;
    out.DisplayPosition = SubTime(
        centre, {static_cast<int32_t>(half / kTicksPerMinute), static_cast<int32_t>(half % kTicksPerMinute)});
    return out;
  }
  out.level = LowResLevelForMinutesPerColumn(d / 60'000 / std::max(l.MinuteUnits, 1));
  const int32_t perColumn = Levels()[static_cast<size_t>(out.level)].perUnit;
  const int64_t mid = (int64_t{t1.Mn} + t2.Mn) / 2;
  out.DisplayPosition = {static_cast<int32_t>(mid - int64_t{l.MinuteUnits} * perColumn / 2), 0};
  return out;
}

std::optional<double> RescaledMax(TYaxisType axis, double value, bool highRes, bool up) {
  // The boxes hold whole numbers; halving drops the remainder as the box would.
  const double v = std::trunc(value);
  if (!highRes) return up ? v * 2 : std::trunc(std::max(v, 2.0) / 2);
  double floor = 8, ceiling = 0;  // 0: no upper limit
  switch (axis) {
    case tyFreq:
      floor = 32, ceiling = 512;
      break;
    case tyPeriod:
      ceiling = 255;
      break;
    case tySPL:
      ceiling = 2048;
      break;
    case tyCallType:
      break;
    default:
      return std::nullopt;
  }
  if (!up) return std::trunc(std::max(v, floor) / 2);
  return ceiling > 0 ? std::min(v * 2, ceiling) : v * 2;
}

bool RescaleAxis(ScaleEdits& e, TYaxisType axis, bool highRes, bool up) {
  double* box = &e.countMax;
  if (highRes) {
    switch (axis) {
      case tyFreq:
        box = &e.kHzMax;
        break;
      case tyPeriod:
        box = &e.periodMax;
        break;
      case tySPL:
        box = &e.amplitudeMax;
        break;
      case tyCallType:
        break;
      default:
        return false;
    }
  }
  const std::optional<double> next = RescaledMax(axis, *box, highRes, up);
  if (!next) return false;
  *box = *next;
  return true;
}

}  // namespace zorvel
