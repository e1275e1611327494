// Turns the tallies of the file graphs into pixels: histogram bars or the stacked diel bars with
// their temperature and light lines, axis texts and the summary texts of each band.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "core/MinuteMap.h"
#include "display/Graphs.h"
#include "display/Messages.h"
#include "display/Palette.h"

namespace zorvel {
namespace {

constexpr int kLastBarBin = 220;
constexpr int kFirstDielClass = 4, kLastDielClass = 50;  // 16 to 200 kHz

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}
QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Texts are placed by their top-left corner.
void TextAt(QPainter& p, int x, int y, const QString& text) {
  p.drawText(QRect(x, y, 2000, 20), Qt::AlignLeft | Qt::AlignTop, text);
}

struct Band {
  const TFileRec& slot;
  const Layout& l;
  int height;
};

// Axis texts of the lowest band fall below the plot, on the white margin where the ruler was.
QColor AxisTextColour(const Band& b, const QColor& text) {
  return b.slot.FileYbottom + 2 >= b.l.PlotBottom ? QColor(Qt::black) : text;
}

void DrawHistogram(QPainter& p, const Band& b, const GraphTally& t, const GraphOptions& go,
                   const QColor& text) {
  const GraphHistogram h = go.SmoothFgraph ? SmoothBins(t.hist) : t.hist;
  const GraphMode mode = FindMode(h);
  const double scale = (b.height - 20) / static_cast<double>(std::max<int64_t>(1, mode.count));
  const bool silver = t.type == tAmplitude || t.type == tDuration;
  const int bottom = b.slot.FileYbottom, top = b.slot.FileYtop;
  for (int i = 1; i <= kLastBarBin; ++i) {
    const int64_t n = h[static_cast<size_t>(i)];
    if (n <= 0) continue;
    // Bins below the mode's range may outgrow the scale: keep them inside the band.
    const int y = std::max(top, bottom - static_cast<int>(std::lround(static_cast<double>(n) * scale)));
    p.fillRect(b.l.PlotLeft + 4 * i + 4, y, 4, bottom + 2 - y + 1,
               silver ? RgbColour(kSilver) : FrequencyColour(i));
  }
  p.setPen(AxisTextColour(b, text));
  const int axisY = bottom + 2;
  const int labels = t.type == tDuration || t.type == tAmplitude ? 24 : 21;
  for (int k = 0; k <= labels; ++k) {
    const std::string v = t.type == tDuration ? std::to_string(k) + "ms" : std::to_string(10 * k);
    TextAt(p, b.l.PlotLeft + 40 * k + 4, axisY, Q(std::string(msg::kAxisTick) + v));
  }
  if (t.type == tDuration)
    TextAt(p, b.l.PlotLeft + 915, axisY, Q(msg::kAxisMs));
  else if (t.type == tAmplitude)
    TextAt(p, b.l.PlotLeft + 1055, axisY, Q(msg::kAxisAmplitude));
  else
    TextAt(p, b.l.PlotLeft + 915, axisY, Q(msg::kAxisKHz));
  p.setPen(text);
  if (go.HideGraphText) return;
  const int x = b.l.PlotLeft + 600;
  TextAt(p, x, top + 100, Q(ModeText(t.type, mode)));
  TextAt(p, x, top + 20, Q(GraphCaption(t.type) + "  " + b.slot.ShortName));
  TextAt(p, x, top + 40, Q(DataAmountText(t.minutes, false)));
  TextAt(p, x, top + 60, Q(WavesText(t.octets)));
  if (t.fileType != ftZV1) TextAt(p, x, top + 80, Q(CallsText(t.calls)));
}

void DrawDiel(QPainter& p, const Band& b, const GraphTally& t, const GraphOptions& go, const QColor& text) {
  int64_t largest = 1;
  for (const DielBin& d : t.diel) largest = std::max(largest, d.octets);
  const double scale = (b.height - 20) / static_cast<double>(largest);
  const int bottom = b.slot.FileYbottom, top = b.slot.FileYtop;
  for (int j = 0; j < kDielBins; ++j) {
    const DielBin& d = t.diel[static_cast<size_t>(DielBinOfBar(j))];
    const int x = b.l.PlotLeft + 4 + 4 * j;
    int y = bottom;
    for (int c = kFirstDielClass; c <= kLastDielClass; ++c) {
      const int hgt =
          static_cast<int>(std::lround(static_cast<double>(d.khz[static_cast<size_t>(c)]) * scale));
      if (hgt <= 0) continue;
      const int segTop = std::max(top, y - hgt);
      p.fillRect(x, segTop, 4, y - segTop, FrequencyColour(c * 4));
      y = segTop;
    }
  }
  const int mid = bottom - b.height / 2;
  auto trace = [&](const QColor& colour, auto yOf) {
    p.setPen(QPen(colour, 1));
    int px = -1, py = 0;
    for (int j = 0; j < kDielBins; ++j) {
      const DielBin& d = t.diel[static_cast<size_t>(DielBinOfBar(j))];
      if (d.minutes == 0) {
        px = -1;  // a bin without minutes breaks the line
        continue;
      }
      const int x = b.l.PlotLeft + 4 + 4 * j, y = std::max(b.l.PlotTop, yOf(d));
      if (px >= 0)
        p.drawLine(px, py, x, y);
      else
        p.drawPoint(x, y);
      px = x;
      py = y;
    }
  };
  trace(QColor(Qt::red), [&](const DielBin& d) {
    return mid - static_cast<int>(std::lround(2 * d.tempSum / std::max(1, d.minutes)));
  });
  trace(RgbColour(65535),
        [&](const DielBin& d) { return mid - static_cast<int>(d.lightSum / std::max(1, d.minutes) / 4); });
  p.setPen(AxisTextColour(b, text));
  for (int hr = 0; hr < 24; ++hr)
    TextAt(
        p, b.l.PlotLeft + 24 * hr + 4, bottom + 2,
        Q(std::string(msg::kAxisTick) + std::to_string((hr + 12) % 24) + std::string(msg::kHourLabelTail)));
  if (go.HideGraphText) return;
  TextAt(p, b.l.PlotLeft + 580, bottom + 2, Q(msg::kDielCaption));
  p.setPen(text);
  const int x = b.l.PlotLeft + 600;
  TextAt(p, x, top + 20, Q(GraphCaption(t.type) + "  " + b.slot.ShortName));
  TextAt(p, x, top + 40, Q(DataAmountText(t.minutes, true)));
  TextAt(p, x, top + 60, Q(WavesText(t.octets)));
  if (t.fileType != ftZV1) TextAt(p, x, top + 80, Q(CallsText(t.calls)));
}

}  // namespace

void DrawFileGraphs(QImage& image, FileSlots& fileSlots, const ViewState& view, const DisplayOptions& options,
                    const GraphOptions& go, ReaderContext& reader, std::string* status) {
  const Layout& l = view.layout;
  QPainter p(&image);
  p.fillRect(l.PlotLeft, l.PlotTop, l.PlotWidth, l.PlotBottom - l.PlotTop,
             options.WhiteScreen ? Qt::white : Qt::black);
  const QColor text = options.WhiteScreen ? QColor(Qt::black) : QColor(Qt::white);
  // The ruler's time labels mean nothing under a graph.
  p.fillRect(0, l.PlotBottom, image.width(), 20, Qt::white);
  const TRecTime end = view.DisplayPosition;
  const TRecTime start = view.ScreenStart();
  p.end();
  MoveAllFilePosn(fileSlots, start, reader, false);
  p.begin(&image);
  QFont f = p.font();
  f.setPixelSize(12);
  p.setFont(f);
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = fileSlots[i];
    if (!s.Open || !s.InPlay) continue;
    if (s.FileType == ftZV1 && IsCallGraph(s.GraphType)) continue;
    const Band band{s, l, view.SlotHeight};
    const int32_t lastMin = end.FiveMuSec > 0 ? end.Mn : end.Mn - 1;
    if (s.LastLoggedMin < start.Mn || s.FirstLoggedMin > lastMin) {
      p.setPen(text);
      TextAt(p, l.PlotLeft + 50, s.FileYbottom - 50, Q(msg::kNoLoggingInPeriod));
      continue;
    }
    if (status) *status = std::string(msg::kDataFrom) + s.ShortName;
    const GraphTally t = TallySlot(s, s.GraphType, end, reader);
    if (s.GraphType == tDiel)
      DrawDiel(p, band, t, go, text);
    else
      DrawHistogram(p, band, t, go, text);
  }
}

}  // namespace zorvel
