// The parts of the screen outside the bands' contents: margins, y labels, axis titles, ruler.
#include <QFont>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "display/Levels.h"
#include "display/Messages.h"
#include "display/Palette.h"
#include "display/ScreenPainter.h"

namespace zorvel {

void ScreenPainter::Resize(const LayoutInput& in) {
  view_.layout = ComputeLayout(in);
  ApplyLevel(view_);
  LayoutBands(view_, fileSlots_);
  if (image_.width() != in.clientWidth || image_.height() != in.clientHeight) {
    image_ = QImage(std::max(in.clientWidth, 1), std::max(in.clientHeight, 1), QImage::Format_RGB32);
    image_.fill(Qt::white);
  }
}

int LabelStep(double r) {
  static constexpr std::pair<double, int> kSteps[] = {
      {10, 1},       {20, 2},         {50, 5},         {256, 10},      {500, 50},
      {1000, 100},   {2000, 200},     {5000, 500},     {10000, 1000},  {20000, 2000},
      {50000, 5000}, {100000, 10000}, {200000, 20000}, {500000, 50000}};
  for (const auto& [limit, step] : kSteps)
    if (r <= limit) return step;
  return 100000;
}

std::string AxisTitle(TYaxisType type, bool highRes, int32_t mpc) {
  if (highRes) {
    switch (type) {
      case tyPeriod:
        return std::string(msg::kTitlePeriod);
      case tySPL:
        return std::string(msg::kTitleSPL);
      case tyCallType:
        return std::string(msg::kTitleCallTypeHi);
      default:
        return std::string(msg::kTitleKHz);
    }
  }
  switch (type) {
    case tySPL:
      return std::string(msg::kTitleAmplitudeLo);
    case tyCallType: {
      std::string bin;
      if (mpc >= 1 && mpc <= 59) {
        bin = std::string(msg::kBinIn) + std::to_string(mpc) + std::string(msg::kBinMin);
      } else if (mpc >= 360 && mpc <= 1440) {
        bin = std::string(msg::kBinIn) + std::to_string(mpc / 60) + std::string(msg::kBinHr);
      } else if (mpc == 10080) {
        bin = std::string(msg::kBinWeek);
      }
      return std::string(msg::kTitleCallTypesLo) + bin + "          ";
    }
    default:
      return std::string(msg::kTitleKHz);
  }
}

std::string ScreenPainter::ResolutionCaption() const {
  return std::string(view_.HighRes() ? msg::kHighResCaption : msg::kLowResCaption);
}

void ScreenPainter::ClearPlot() {
  const Layout& l = view_.layout;
  QPainter p(&image_);
  p.fillRect(l.PlotLeft, l.PlotTop, l.PlotWidth, l.PlotBottom - l.PlotTop,
             options_.WhiteScreen ? Qt::white : Qt::black);
}

void ScreenPainter::DrawFrame() {
  const Layout& l = view_.layout;
  QPainter p(&image_);
  const QColor white(Qt::white);
  p.fillRect(0, 0, image_.width(), l.PlotTop, white);
  p.fillRect(0, l.PlotTop, l.PlotLeft, image_.height() - l.PlotTop, white);
  p.fillRect(l.PlotRight, l.PlotTop, image_.width() - l.PlotRight, image_.height() - l.PlotTop, white);
  p.fillRect(l.PlotLeft, l.PlotBottom, l.PlotWidth, image_.height() - l.PlotBottom, white);

  const Scales sc = CurrentScales();
  QFont font = p.font();
  font.setPointSize(8);
  p.setFont(font);
  p.setPen(Qt::black);
  const bool high = view_.HighRes();
  for (int i = 1; i <= kSlotCount; ++i) {
    const TFileRec& s = fileSlots_[i];
    if (!s.Open) continue;
    double factor = sc.perCount;
    std::string unit;
    if (high) {
      switch (s.FileYaxisType) {
        case tyPeriod:
          factor = 4 * sc.perIPI;
          unit = std::string(msg::kUnitUs);
          break;
        case tySPL:
          factor = sc.perAmp;
          break;
        case tyCallType:
          factor = sc.perCount;
          unit = std::string(msg::kUnitN);
          break;
        default:
          factor = sc.perKHz;
          unit = std::string(msg::kUnitKHz);
          break;
      }
    }
    const int step = LabelStep(view_.SlotHeight / factor);
    int lastY = INT32_MAX;
    for (int k = 1; k <= 59; ++k) {
      const int h = static_cast<int>(std::lround(k * step * factor));
      if (h >= view_.SlotHeight - 20) break;
      const int y = s.FileYbottom - h - 5;
      if (lastY - y < 20) continue;
      p.drawText(l.PlotRight + 4, y + 8, QString::fromStdString(std::to_string(k * step) + unit));
      lastY = y;
    }
    if (!high && options_.ShowTemps && options_.ShowTempsGrid &&
        (s.FileYaxisType == tyFreq || s.FileYaxisType == tyPeriod)) {
      // Degrees go in a second column right of the counts, so the two scales never overlap.
      for (int k = 0; k <= 8; ++k) {
        const int y = s.YtempOrigin - 15 * k - 5;
        if (y < s.FileYtop) break;
        p.drawText(l.PlotRight + 30, y + 8, QString::number(5 * k));
      }
    }
    // The band's title, written upwards beside it.
    p.save();
    p.translate(l.PlotLeft - 16, s.FileYbottom - 2);
    p.rotate(-90);
    const QString title = QString::fromStdString(AxisTitle(s.FileYaxisType, high, view_.MinutesPerUnit));
    // The title is cut at its band's top so that bands too short for it never overwrite each other.
    const QRect titleArea(0, -12, std::max(view_.SlotHeight, 1), 15);
    p.fillRect(titleArea, white);
    p.setClipRect(titleArea);
    p.drawText(0, 0, title);
    p.restore();
  }
  view_.FrameDirty = false;
}

void ScreenPainter::DrawRuler() {
  const Layout& l = view_.layout;
  QPainter p(&image_);
  p.fillRect(0, l.PlotBottom, image_.width(), std::min(24, image_.height() - l.PlotBottom), Qt::white);
  QFont font = p.font();
  font.setPointSize(8);
  p.setFont(font);
  p.setPen(QPen(Qt::black, 1));
  for (const RulerLabel& r : RulerLabels(view_))
    p.drawText(r.x, l.PlotBottom + 12, QString::fromStdString(r.text));
  if (!options_.PresentationMode) {
    const int cx = RulerCentreX(l);
    p.fillRect(cx, l.PlotBottom + 9, 2, 12, Qt::black);
  }
}

}  // namespace zorvel
