// Low-resolution screens: one 3-pixel column per MinutesPerUnit minutes, summarising the wave
// groups of each band as a coloured distribution with a count line, and the minute records as
// light, temperature and battery traces.
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <utility>

#include "core/MinuteMap.h"
#include "core/MinuteSummary.h"
#include "display/Messages.h"
#include "display/Palette.h"
#include "display/ScreenPainter.h"

namespace zorvel {
namespace {

constexpr int kMinOctetsForDistribution = 6;
const QColor kWindowColour(240, 240, 240);

struct Column {
  int64_t n = 0;                    // wave groups
  std::array<int64_t, 256> hist{};  // weights by bin
  int64_t lightSum = 0, tempSum = 0;
  int minutes = 0;
  bool someOn = false;
  std::array<int, 4> batMin{255, 255, 255, 255};
  int batInUse = 0;
};

// The previous column's points of each line of a band, so each column continues them.
struct Traces {
  int countY = -1, lightY = -1, tempY = -1;
  std::array<int, 4> batY{-1, -1, -1, -1};
};

void AddMinuteValues(const TFileRec& s, Column& c, const DisplayOptions& o);

void AddRecord(const TFileRec& s, Column& c, const DisplayOptions& o) {
  if (s.NrType == tOctet) {
    ++c.n;
    const tOct& oct = s.aOct;
    switch (s.FileYaxisType) {
      case tySPL:
        c.hist[static_cast<size_t>(std::clamp(oct.avSPL, 0, 255))] += 1;
        break;
      case tyCallType:
        break;  // counted per call below
      default:
        // Raw files weigh each wave group by its loudness; call files count calls' octets alike.
        c.hist[static_cast<size_t>(std::clamp(oct.avF, 0, 255))] += s.FileType == ftZV1 ? oct.avSPL / 16 : 1;
        break;
    }
  } else if (s.NrType == tCallrec) {
    // The band reads in calls per minute, so each call counts once, not once per wave group.
    if (s.FileYaxisType == tyCallType) c.hist[s.aCall.CallType & 3] += 1;
  } else if (s.NrType == tMinRec) {
    AddMinuteValues(s, c, o);
  }
}

void AddMinuteValues(const TFileRec& s, Column& c, const DisplayOptions& o) {
  ++c.minutes;
  c.lightSum += s.LightN;
  c.tempSum += o.UseRTCtemperatures ? s.HalfDegC_RTC : s.HalfDegCpreamp;
  c.someOn = c.someOn || s.MinON;
  const std::array<int, 4> vn{s.Bat1Vn, s.Bat2Vn, s.Bat3Vn, s.Bat4Vn};
  for (int k = 0; k < 4; ++k) c.batMin[k] = std::min(c.batMin[k], vn[k]);
  c.batInUse = s.BatInUse;
}

// A slot whose per-minute summary stands in for its records: each column adds up the minutes it
// covers, exactly as reading the records would.
struct SummarySource {
  const MinuteSummary* sum = nullptr;
  int layers = kSummaryLayers;
  bool inPlay = false;
  int32_t next = 0;  // the first minute not yet added: the slot was positioned at its minute record
  TFileRec minute;   // the minute values as the reader would decode them, for the minute filters
  MinuteDigest digest;
};

void AddSummaryMinutes(const TFileRec& s, SummarySource& src, Column& c, int32_t from, int32_t to,
                       const DisplayOptions& o, const ReaderContext& reader) {
  const int32_t first = s.FirstLoggedMin;
  const int32_t last = first + src.sum->MinuteCount() - 1;
  const bool minuteFilters =
      !reader.options.IgnoreFilters && reader.filter && reader.filter->MinuteFiltersOn();
  const size_t layers = static_cast<size_t>(src.layers);
  for (int32_t m = std::max({from, first, src.next}); m < to && m <= last; ++m) {
    MinuteDigest& d = src.digest;
    if (!src.sum->Minute(m - first, d)) continue;
    ApplyMinuteValues(src.minute, d);
    src.minute.NrTime = {m, 0};
    AddMinuteValues(src.minute, c, o);
    if (minuteFilters && reader.filter->MinuteExcluded(src.minute)) continue;
    for (size_t l = 0; l < layers; ++l) {
      for (const SummaryFreqRow& row : d.freq[l]) {
        c.n += row.count;
        if (s.FileYaxisType == tyFreq || s.FileYaxisType == tyPeriod || s.FileYaxisType == tyBatteryVoltage)
          c.hist[row.bin] += s.FileType == ftZV1 ? static_cast<int64_t>(row.spl16Sum) : row.count;
      }
      if (s.FileYaxisType == tySPL)
        for (const SummaryAmpRow& row : d.amp[l]) c.hist[row.bin] += row.count;
    }
    if (s.FileYaxisType == tyCallType)
      for (const SummaryCall& call : d.calls) c.hist[static_cast<size_t>(call.call.CallType & 3)] += 1;
  }
  src.next = std::max(src.next, to);
  if (to > last) src.inPlay = false;  // the reader would have met the end record
}

}  // namespace

namespace {
constexpr int kColumnsBetweenProgress = 8;
}  // namespace

void ScreenPainter::DrawLowRes() {
  ViewState& v = view_;
  const Layout& l = v.layout;
  const int32_t mpu = std::max(v.MinutesPerUnit, 1);
  const int32_t s0 = v.DisplayPosition.Mn - v.DisplayPosition.Mn % mpu;
  const Scales sc = CurrentScales();
  const bool keepZv1 = std::exchange(v.KeepZv1Bands, false);
  auto kept = [&](const TFileRec& s) { return keepZv1 && s.FileType == ftZV1; };
  if (!keepZv1) ClearPlot();
  QPainter p(&image_);
  const QColor background = options_.WhiteScreen ? QColor(Qt::white) : QColor(Qt::black);
  std::array<Traces, kSlotCount + 1> traces{};
  // Slots whose summary serves read no records while the screen is drawn.
  std::array<std::unique_ptr<SummarySource>, kSlotCount + 1> sources;
  if (useSummaries) {
    for (int i = 1; i <= kSlotCount; ++i) {
      TFileRec& s = fileSlots_[i];
      if (!s.Open || kept(s)) continue;
      int layers = kSummaryLayers;
      // The summary takes over where the slot was positioned: at a minute record.
      const bool atMinute = !s.InPlay || s.NrType == tMinRec;
      const MinuteSummary* sum = atMinute ? ServingSummary(s, reader_, &layers) : nullptr;
      if (sum) {
        auto src = std::make_unique<SummarySource>();
        src->sum = sum;
        src->layers = layers;
        src->inPlay = s.InPlay;
        src->next = s.NrTime.Mn;
        src->minute.ZorvelVersion = s.ZorvelVersion;
        sources[static_cast<size_t>(i)] = std::move(src);
      }
    }
  }

  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = fileSlots_[i];
    if (!s.Open || kept(s)) continue;
    s.OctInThisScreen = 0;
    p.fillRect(l.PlotLeft, s.FileYtop, l.PlotWidth, s.FileYbottom - s.FileYtop + 1, background);
    if (options_.ShowTemps && options_.ShowTempsGrid &&
        (s.FileYaxisType == tyFreq || s.FileYaxisType == tyPeriod)) {
      p.setPen(QPen(RgbColour(kGrey), 1));
      for (int k = 0; k <= 8; ++k) {
        const int y = s.YtempOrigin - 15 * k;
        if (y >= s.FileYtop && y <= s.FileYbottom) p.drawLine(l.PlotLeft, y, l.PlotRight - 1, y);
      }
    }
  }

  for (int c = 0; c < l.MinuteUnits; ++c) {
    // A screen over a large file reads all of it: Stop and Esc end the drawing between columns.
    if (onProgress && c % kColumnsBetweenProgress == 0) onProgress();
    if (reader_.host.StopRequested()) break;
    const int x = l.PlotLeft + 3 * c;
    const int32_t colStart = s0 + c * mpu, colEnd = colStart + mpu;
    for (int i = 1; i <= kSlotCount; ++i) {
      TFileRec& s = fileSlots_[i];
      if (!s.Open || kept(s)) continue;
      const int top = s.FileYtop, bottom = s.FileYbottom, height = v.SlotHeight;
      SummarySource* src = sources[static_cast<size_t>(i)].get();
      if (!(src ? src->inPlay : s.InPlay) || s.FirstLoggedMin >= colEnd) {
        p.fillRect(x, top, 3, bottom - top + 1, kWindowColour);
        continue;
      }
      Column col;
      if (src) {
        AddSummaryMinutes(s, *src, col, colStart, colEnd, options_, reader_);
      } else {
        while (s.InPlay && s.NrTime.Mn < colEnd) {
          AddRecord(s, col, options_);
          ReadNextUsedRecord(s, reader_);
        }
      }
      s.OctInThisScreen += static_cast<int32_t>(std::min<int64_t>(col.n, INT32_MAX));
      s.SomeMinutesON = col.someOn;
      Traces& tr = traces[static_cast<size_t>(i)];
      const TYaxisType type = s.FileYaxisType;

      if (type == tyCallType) {
        if (s.FileType != ftZV1) {
          int64_t h = 0;
          int prevTop = 0;
          for (int t = tcCF; t >= tcNoSp; --t) {
            h += col.hist[static_cast<size_t>(t)];
            if (h <= 1) continue;
            const int segTop =
                static_cast<int>(std::clamp<long>(std::lround(double(h) / mpu * sc.perCount), 2, height));
            if (segTop > prevTop)
              p.fillRect(x, bottom - segTop, 3, segTop - prevTop, RgbColour(kCallTypeColours[t]));
            prevTop = std::max(prevTop, segTop);
          }
        }
      } else if (type == tyBatteryVoltage) {
        for (int k = 0; k < 4; ++k) {
          if (!options_.ShowBatt[k]) continue;
          const int y = std::clamp(bottom - col.batMin[k], top + 30, bottom);
          const int reach = x + 2 + (col.batInUse == k + 1 ? 2 : 0);
          p.setPen(QPen(RgbColour(kBatteryColours[k]), 2));
          p.drawLine(tr.batY[k] < 0 ? x : x - 1, tr.batY[k] < 0 ? y : tr.batY[k], reach, y);
          tr.batY[k] = y;
        }
      } else {
        int64_t total = 0;
        for (int64_t w : col.hist) total += w;
        if (col.n < kMinOctetsForDistribution || total <= 0) {
          p.fillRect(x, top, 3, bottom - top + 1, RgbColour(s.SomeMinutesON ? kSilver : kGrey));
        } else {
          const int mult = s.ColourMult > 0 ? s.ColourMult : 1;
          int64_t cum = 0;
          int prevTop = 0;
          for (int bin = 0; bin < 256; ++bin) {
            const int64_t w = col.hist[static_cast<size_t>(bin)];
            if (w <= 0) continue;
            cum += w;
            const int segTop =
                static_cast<int>(std::min<long>(height, std::lround(double(cum + 1) * height / total)));
            if (segTop <= prevTop) continue;
            const int idx = type == tySPL ? (bin + 40) / 2 : std::min(160, mult * bin + s.ColourOffset);
            p.fillRect(x, bottom - segTop + 1, 3, segTop - prevTop, FrequencyColour(idx));
            prevTop = segTop;
          }
        }
        const int countH = static_cast<int>(
            std::clamp<long>(std::lround(double(col.n) * sc.perCount / mpu), 2, std::max(2, height)));
        const int cy = bottom - countH;
        p.setPen(QPen(Qt::black, 2));
        p.drawLine(tr.countY < 0 ? x : x - 1, tr.countY < 0 ? cy : tr.countY, x + 2, cy);
        tr.countY = cy;

        if (type == tyFreq && options_.ShowLight && col.minutes > 0) {
          const int level = static_cast<int>(col.lightSum / col.minutes);
          const int cl = level == 0 ? 0 : std::min(255, 8 * (level + 8));
          const int ly = s.Yvoltages - LightHeight(level);
          p.setPen(QPen(QColor(cl, cl, 0), 1 + options_.LineWidth));
          p.drawLine(tr.lightY < 0 ? x : x - 1, tr.lightY < 0 ? ly : tr.lightY, x + 2, ly);
          tr.lightY = ly;
        }
        if (type == tyFreq && options_.ShowTemps && col.minutes > 0) {
          const double t = double(col.tempSum) / (2.0 * col.minutes);
          if (t < 50) {
            const int ty = std::max(top, s.YtempOrigin - static_cast<int>(std::lround(3 * t)));
            if (c > 0 && tr.tempY >= 0) {
              p.setPen(QPen(Qt::white, 1 + options_.LineWidth));
              p.drawLine(x - 1, tr.tempY, x + 2, ty);
            }
            tr.tempY = ty;
          } else {
            tr.tempY = -1;
          }
        }
      }
    }
  }

  // Battery labels.
  QFont font = p.font();
  font.setPointSize(10);
  p.setFont(font);
  for (int i = 1; i <= kSlotCount; ++i) {
    const TFileRec& s = fileSlots_[i];
    if (!s.Open || kept(s) || s.FileYaxisType != tyBatteryVoltage) continue;
    const std::string_view names[] = {msg::kBatteryStack1, msg::kBatteryStack2, msg::kBatteryStack3,
                                      msg::kExternalBattery};
    const int offsets[] = {80, 60, 40, 20};
    for (int k = 0; k < 4; ++k) {
      if (k == 3 && s.PICmainVersion <= 8) continue;
      const QString text = QString::fromUtf8(names[k].data(), static_cast<qsizetype>(names[k].size()));
      const QRect r(l.PlotLeft + 20, s.FileYbottom - offsets[k] - 14,
                    p.fontMetrics().horizontalAdvance(text) + 4, 16);
      p.fillRect(r, RgbColour(kBatteryColours[k]));
      p.setPen(Qt::black);
      p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text);
    }
  }
  // Slots drawn from their summary are left where reading the records would have left them.
  for (int i = 1; i <= kSlotCount; ++i)
    if (sources[static_cast<size_t>(i)])
      PositionSlot(fileSlots_, i, {s0 + v.ScreenSpan.Mn, 0}, reader_, false);
  v.DisplayPosition = {s0 + v.ScreenSpan.Mn, 0};
}

}  // namespace zorvel
