// High-resolution screens: every wave group and call between the screen's start and end.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/Tables.h"
#include "display/Levels.h"
#include "display/Palette.h"
#include "display/ScreenPainter.h"
#include "display/TimeMath.h"

namespace zorvel {
namespace {

// Wave index of pair j: pairs 0, 1 serve waves 0, 1 (and 2, 3); pairs 2, 3 serve waves 4, 5.
constexpr int PairWave(int j) {
  return j < 2 ? j : j + 2;
}

struct BandContext {
  QPainter& p;
  TFileRec& s;
  const ViewState& v;
  const DisplayOptions& o;
  const Scales& sc;
  int level;
  int penWidth;
};

// Height above the band bottom of a value, kept inside the band.
int Up(const BandContext& b, double value, double factor) {
  const long h = std::lround(value * factor);
  return static_cast<int>(std::clamp<long>(h, 1, std::max(1, b.v.SlotHeight - 2)));
}

int FreqY(const BandContext& b, int khz) {
  return b.s.FileYbottom - Up(b, khz, b.sc.perKHz);
}

QColor Foreground(const DisplayOptions& o) {
  return o.WhiteScreen ? QColor(Qt::black) : QColor(Qt::white);
}

// Per-slot drawing state of the present call (the line joins octets of one call).
struct CallLine {
  QPoint last{-1, -1};
  QPoint lastHarmonic{-1, -1};
  int lastWaveEndX = -1000;
  int lastWaveEndY = 0;
};

QColor Zv2OctetColour(const BandContext& b) {
  const TFileRec& s = b.s;
  if (s.FileYaxisType == tyCallType) return RgbColour(kCallTypeColours[s.aCall.CallType & 3]);
  if (b.o.BlackLines) return Qt::black;
  if (b.o.ColourFeatures) {
    if (s.FeatureClass == tfNotFeature) return FrequencyColour(s.aOct.avF);
    return b.o.ShowFeature[s.FeatureClass] ? RgbColour(kFeatureColours[s.FeatureClass]) : RgbColour(kGrey);
  }
  return FrequencyColour(s.aOct.avF);
}

void DrawFrequencyItem(const BandContext& b, int x, CallLine& line) {
  TFileRec& s = b.s;
  const tOct& o = s.aOct;
  const int stopX = b.v.layout.PlotRight - 2;
  const int divisor = b.level == 0 ? 20 : 40;  // quarter microseconds per pixel
  if (s.FileType == ftZV1) {
    if (b.level <= 1) {
      b.p.setPen(QPen(b.o.BlackLines ? QColor(Qt::black) : QColor(Qt::white), b.penWidth));
      QPoint prev(x, FreqY(b, o.KHZs[0]));
      int sum = 0;
      for (int j = 1; j < 8; ++j) {
        sum += o.IPIs[j];
        const int wx = x + sum / divisor;
        if (wx >= stopX) break;
        const QPoint pt(wx, FreqY(b, o.KHZs[j]));
        b.p.drawLine(prev, pt);
        prev = pt;
      }
    } else {
      b.p.setPen(QPen(FrequencyColour(o.avF), b.penWidth));
      const int y = FreqY(b, o.avF);
      b.p.drawLine(x, y, std::min(x + 1, b.v.layout.PlotRight), y);
    }
    return;
  }
  // Calls (ZV2 and ZV3): octets are joined into one line per call.
  const bool feature =
      s.FeatureClass != tfNotFeature && b.o.ColourFeatures && b.o.ShowFeature[s.FeatureClass];
  QPen pen(Zv2OctetColour(b), b.penWidth + (feature && b.level > 1 ? 2 : 0));
  if (o.GapPrecedes && b.level > 1) pen.setStyle(Qt::DotLine);
  b.p.setPen(pen);
  const bool firstOctet = s.nZV2octShownInCall <= 1 || line.last.x() < 0;
  if (b.level <= 1) {
    int wx = x;
    QPoint prev(x, FreqY(b, o.KHZs[0]));
    if (!firstOctet && std::abs(line.lastWaveEndX - x) <= 1)
      prev = QPoint(line.lastWaveEndX, line.lastWaveEndY);
    for (int j = 0; j < 4; ++j) {
      const int w = PairWave(j);
      const QPoint pt(wx, FreqY(b, o.KHZs[w]));
      if (wx >= stopX) break;
      b.p.drawLine(prev, pt);
      prev = pt;
      wx += 2 * o.IPIs[w] / divisor;
    }
    line.lastWaveEndX = prev.x();
    line.lastWaveEndY = prev.y();
    line.last = prev;
  } else {
    const QPoint pt(x, FreqY(b, o.avF));
    if (firstOctet) {
      b.p.drawLine(std::max(x - 1, b.v.layout.PlotLeft), pt.y(), x + 1, pt.y());
    } else {
      QPoint from = line.last;
      // A feature on a flat stretch is lengthened so it shows.
      if (feature && from.y() == pt.y() && pt.x() - from.x() <= 2) from.rx() -= 2;
      b.p.drawLine(from, pt);
    }
    line.last = pt;
    if (s.aCall.HmicScore > 0 && o.OctHmic > 0) {
      const int hk = std::min(255, o.avF * 3 / 2);
      const QPoint hp(x, FreqY(b, hk));
      b.p.setPen(QPen(FrequencyColour(hk), b.penWidth));
      if (firstOctet || line.lastHarmonic.x() < 0) {
        b.p.drawLine(std::max(x - 1, b.v.layout.PlotLeft), hp.y(), x + 1, hp.y());
      } else {
        b.p.drawLine(line.lastHarmonic, hp);
      }
      line.lastHarmonic = hp;
    } else {
      line.lastHarmonic = QPoint(-1, -1);
    }
  }
  if (b.o.ShowQual)
    b.p.fillRect(x, s.FileYbottom - 4, 4, 4, RgbColour(kCallTypeColours[s.aCall.CallType & 3]));
}

void DrawPeriodItem(const BandContext& b, int x) {
  const TFileRec& s = b.s;
  const tOct& o = s.aOct;
  QColor colour = Foreground(b.o);
  if (s.FileType != ftZV1) {
    const QColor typeColour = RgbColour(kCallTypeColours[s.aCall.CallType & 3]);
    if (b.o.ColourFeatures) {
      const bool own = s.FeatureClass == tfNotFeature || s.FeatureClass == tfCFflat;
      colour = own ? typeColour : RgbColour(kFeatureColours[s.FeatureClass]);
    } else if (s.FileYaxisType == tyCallType) {
      colour = typeColour;
    }
  }
  b.p.setPen(QPen(colour, b.penWidth));
  if (b.level <= 1) {
    const int shift = b.level == 0 ? 16 : 32;
    const int stopX = b.v.layout.PlotRight - 2;
    int wx = x;
    for (int j = 0; j < 8 && wx < stopX; ++j) {
      const int step = o.IPIs[j] / shift + 1;
      const int y = s.FileYbottom - Up(b, o.IPIs[j], b.sc.perIPI);
      b.p.drawLine(wx, y, std::min(wx + step - 1, stopX), y);
      wx += step;
    }
  } else {
    const int y = s.FileYbottom - Up(b, o.IPIsum / 8.0, b.sc.perIPI);
    b.p.fillRect(x, y - 1, 2, 2, colour);
  }
}

void DrawAmplitudeItem(const BandContext& b, int x) {
  const TFileRec& s = b.s;
  const tOct& o = s.aOct;
  const int maxHalf = std::max(1, b.v.SlotHeight / 2 - 2);
  auto brush = [&](int khz) {
    if (b.o.BlackLines) return b.o.WhiteScreen ? QColor(Qt::black) : QColor(Qt::white);
    return FrequencyColour(khz);
  };
  if (b.level <= 2) {
    double wx = x;
    for (int j = 0; j < 8; ++j) {
      const int ix = static_cast<int>(wx);
      if (ix >= b.v.layout.PlotRight) break;
      const int half = std::clamp(static_cast<int>(o.AMPs[j] * b.sc.perAmp) / 2, 1, maxHalf);
      b.p.fillRect(ix, s.YmidOffset - half, 1, 2 * half, brush(o.KHZs[j]));
      wx += o.IPIs[j] * 0.05 / b.v.FiveMusecPerPixel;
    }
  } else {
    const int half = std::clamp(static_cast<int>(o.SPLinUse / 2.0 * b.sc.perAmp) / 4, 1, maxHalf);
    const int width = std::max(1, 1800 / std::max(1, o.avF * b.v.FiveMusecPerPixel)) + b.o.LineWidth;
    b.p.fillRect(x, s.YmidOffset - half, std::min(width, b.v.layout.PlotRight - x), 2 * half, brush(o.avF));
  }
  if (b.o.ShowQual) {
    b.p.setPen(QPen(QColor(255, 0, 0), 1));
    b.p.drawLine(x, s.FileYbottom - 4 * o.score, x + 3, s.FileYbottom - 4 * o.score);
  }
}

void DrawBandGrid(const BandContext& b) {
  const TFileRec& s = b.s;
  const Layout& l = b.v.layout;
  if (s.FileYaxisType == tySPL) {
    b.p.setPen(QPen(RgbColour(kGrey), 1));
    b.p.drawLine(l.PlotLeft, s.YmidOffset, l.PlotRight - 1, s.YmidOffset);
  }
  if (!b.o.ShowFreqGridLines) return;
  for (int i = 1; i <= 50; ++i) {
    int h = 0, gridIndex = i;
    if (s.FileYaxisType == tyFreq) {
      h = static_cast<int>(std::lround(10 * i * b.sc.perKHz));
    } else if (s.FileYaxisType == tyPeriod) {
      h = static_cast<int>(std::lround(10 * i * b.sc.perIPI));
      gridIndex = KhzOfIpi(10 * i) / 10;
    } else {
      return;
    }
    if (h >= b.v.SlotHeight - 5) break;
    b.p.fillRect(l.PlotLeft, s.FileYbottom - h - 1, l.PlotWidth, 2, GridColour(gridIndex));
  }
}

// ScreenXarr: the index of the call drawn at each pixel column, filled as each call arrives.
void FillXarr(std::vector<int32_t>& arr, int from, int to, int32_t value) {
  from = std::max(from, 0);
  to = std::min<int>(to, static_cast<int>(arr.size()) - 1);
  for (int x = from; x <= to; ++x) arr[static_cast<size_t>(x)] = value;
}

void NoteNewCall(TFileRec& s, int x, int& lastCallX, const DisplayOptions& o) {
  const int32_t prev = s.CallsInThisScreen;
  const int32_t index = ++s.CallsInThisScreen;
  int filled = 0;
  if (prev > 0) {
    filled = std::min((lastCallX + x) / 2, lastCallX + 10);
    FillXarr(s.ScreenXarr, lastCallX, filled, prev);
    ++filled;
  }
  FillXarr(s.ScreenXarr, filled, x - 10, 0);
  FillXarr(s.ScreenXarr, std::max(filled, x - 9), x, index);
  lastCallX = x;
  const tCall& c = s.aCall;
  const int32_t sp = o.SpeciesChoice == 2 ? c.Sp2N : (o.SpeciesChoice == 3 ? c.Sp3N : c.SpN);
  s.ScreenCallsArr.push_back(
      {sp, c.Duration100Musecs, c.Fmin, c.Fmax, c.MinSlopeKHZ, c.Seq, c.SpConfidence, c.Sp2N});
}

}  // namespace

void ScreenPainter::DrawHighRes() {
  ViewState& v = view_;
  const Layout& l = v.layout;
  v.ShortestOnScreen = INT32_MAX;
  TRecTime start = v.RequestedStart;
  if (start.Mn < 1) {
    bool any = false;
    for (int i = 1; i <= kSlotCount; ++i) {
      const TFileRec& s = fileSlots_[i];
      if (!s.Open || !s.InPlay) continue;
      if (!any || ItemTime(s) < start) start = ItemTime(s);
      any = true;
    }
    if (!any) start = v.ScreenStart();
  }
  v.RequestedStart = {0, 0};
  const TRecTime onePixel{0, v.FiveMusecPerPixel};
  start = start < onePixel ? TRecTime{0, 0} : SubTime(start, onePixel);
  v.DisplayPosition = AddTime(start, v.ScreenSpan);
  const TRecTime end = v.DisplayPosition;

  ClearPlot();
  QPainter p(&image_);
  p.setClipRect(l.PlotLeft, l.PlotTop, l.PlotWidth, l.PlotBottom - l.PlotTop);
  // Dashed grey lines at whole minutes.
  QPen minutePen(RgbColour(kMinuteLineColour), 1, Qt::DashLine);
  p.setPen(minutePen);
  const int perMinute = kTicksPerMinute / v.FiveMusecPerPixel;
  for (int64_t x = l.PlotLeft + int64_t{kTicksPerMinute - start.FiveMuSec} / v.FiveMusecPerPixel;
       x < l.PlotRight; x += std::max(perMinute, 1))
    p.drawLine(static_cast<int>(x), l.PlotTop, static_cast<int>(x), l.PlotBottom - 1);

  const Scales sc = CurrentScales();
  const int penWidth = 1 + options_.LineWidth;
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = fileSlots_[i];
    if (!s.Open) continue;
    s.OctInThisScreen = 0;
    s.CallsInThisScreen = 0;
    std::fill(s.ScreenXarr.begin(), s.ScreenXarr.end(), 0);
    s.ScreenCallsArr.assign(1, {});
    if (!s.InPlay) continue;
    BandContext b{p, s, v, options_, sc, v.DisplayTimeUnit, penWidth};
    p.setClipRect(l.PlotLeft, s.FileYtop, l.PlotWidth, s.FileYbottom - s.FileYtop + 1);
    DrawBandGrid(b);
    CallLine line;
    int lastCallX = l.PlotLeft;
    // Positioning may stop inside a call, past its call records: the call is still on screen.
    if (s.FileType != ftZV1 && s.NrType == tOctet && s.InPlay && s.NrTime < end) {
      NoteNewCall(s, std::max(l.PlotLeft, TimeToPixel(v, start, ItemTime(s))), lastCallX, options_);
      if (s.PasteCalls) paste_.AddCall(s);
    }
    while (s.InPlay && ItemTime(s) < end) {
      if (s.NrType == tOctet) {
        const int x = TimeToPixel(v, start, s.NrTime);
        v.ShortestOnScreen = std::min(v.ShortestOnScreen, s.aOct.IPIsum);
        ++s.OctInThisScreen;
        switch (s.FileYaxisType) {
          case tyPeriod:
          case tyCallType:
            DrawPeriodItem(b, x);
            break;
          case tySPL:
            DrawAmplitudeItem(b, x);
            break;
          default:
            DrawFrequencyItem(b, x, line);
            break;
        }
        if (s.PasteRaw) paste_.AddRaw(s);
      } else if (s.NrType == tCallrec && s.FileType != ftZV1) {
        NoteNewCall(s, TimeToPixel(v, start, ItemTime(s)), lastCallX, options_);
        line = CallLine{};
        if (s.PasteCalls) paste_.AddCall(s);
      }
      ReadNextUsedRecord(s, reader_);
    }
    if (s.CallsInThisScreen > 0)
      FillXarr(s.ScreenXarr, lastCallX, std::min(lastCallX + 10, l.PlotRight), s.CallsInThisScreen);
  }
}

}  // namespace zorvel
