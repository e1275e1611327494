#include "report/FigureFrame.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "report/Messages.h"
#include "report/Summaries.h"

namespace zorvel::report {

namespace {
constexpr double kTitlePt = 9, kSmallPt = 7;
constexpr double kLegendWidth = 78;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

std::string TickText(double v) {
  const double r = std::round(v);
  return std::abs(v - r) < 1e-6 ? FixedText(r, 0) : FixedText(v, 1);
}
}  // namespace

QColor SeriesColour(size_t i) {
  static const QColor kPalette[] = {QColor(0, 114, 178),   QColor(230, 159, 0),  QColor(0, 158, 115),
                                    QColor(204, 121, 167), QColor(86, 180, 233), QColor(213, 94, 0),
                                    QColor(240, 228, 66),  QColor(110, 110, 110)};
  return kPalette[i % (sizeof kPalette / sizeof kPalette[0])];
}

FigureFrame::FigureFrame(QPainter& p, const QRectF& area, const std::string& title,
                         const std::vector<LegendEntry>& legend, bool rightAxis)
    : p_(p) {
  QFont f = p.font();
  f.setPointSizeF(kTitlePt);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::black);
  const double titleH = QFontMetricsF(f, p.device()).height();
  p.drawText(QRectF(area.left(), area.top(), area.width(), titleH), Qt::AlignLeft | Qt::AlignVCenter,
             Q(title));
  const double right = (legend.empty() ? 30 : kLegendWidth + 8) + (rightAxis ? 24 : 0);
  plot_ = QRectF(area.left() + 38, area.top() + titleH + 6, area.width() - 38 - right,
                 area.height() - titleH - 6 - 26);

  p.setFont(SmallFont());
  const double lineH = QFontMetricsF(SmallFont(), p.device()).height() + 2;
  double y = plot_.top();
  const double lx = area.right() - kLegendWidth;
  for (const LegendEntry& e : legend) {
    if (y + lineH > plot_.bottom()) break;
    if (e.line) {
      p.setPen(QPen(e.colour, 1.5));
      p.drawLine(QPointF(lx, y + lineH / 2), QPointF(lx + 10, y + lineH / 2));
    } else {
      p.fillRect(QRectF(lx, y + 2, 10, lineH - 4), e.colour);
    }
    p.setPen(Qt::black);
    p.drawText(QRectF(lx + 14, y, kLegendWidth - 14, lineH), Qt::AlignLeft | Qt::AlignVCenter, Q(e.label));
    y += lineH;
  }
}

QFont FigureFrame::SmallFont() const {
  QFont f = p_.font();
  f.setBold(false);
  f.setPointSizeF(kSmallPt);
  return f;
}

double FigureFrame::X(double v) const {
  return plot_.left() + (v - x0_) / (x1_ - x0_) * plot_.width();
}

double FigureFrame::Y(double v) const {
  return plot_.bottom() - (v - y0_) / (y1_ - y0_) * plot_.height();
}

double FigureFrame::RightY(double v) const {
  return plot_.bottom() - (v - r0_) / (r1_ - r0_) * plot_.height();
}

void FigureFrame::YAxis(const std::string& caption, int most) {
  p_.setFont(SmallFont());
  for (const double t : NiceTicks(y0_, y1_, most)) {
    const double y = Y(t);
    p_.setPen(QPen(QColor(225, 225, 225), 0.5));
    p_.drawLine(QPointF(plot_.left(), y), QPointF(plot_.right(), y));
    p_.setPen(Qt::black);
    p_.drawText(QRectF(plot_.left() - 36, y - 6, 33, 12), Qt::AlignRight | Qt::AlignVCenter, Q(TickText(t)));
  }
  p_.save();
  p_.translate(plot_.left() - 30, plot_.center().y());
  p_.rotate(-90);
  p_.drawText(QRectF(-plot_.height() / 2, -12, plot_.height(), 10), Qt::AlignCenter, Q(caption));
  p_.restore();
}

void FigureFrame::RightAxis(double lo, double hi, const std::string& caption, int most) {
  r0_ = lo;
  r1_ = hi;
  p_.setFont(SmallFont());
  p_.setPen(Qt::black);
  for (const double t : NiceTicks(lo, hi, most)) {
    const double y = RightY(t);
    p_.drawLine(QPointF(plot_.right(), y), QPointF(plot_.right() + 2, y));
    p_.drawText(QRectF(plot_.right() + 3, y - 6, 30, 12), Qt::AlignLeft | Qt::AlignVCenter, Q(TickText(t)));
  }
  p_.drawText(QRectF(plot_.right() - 40, plot_.top() - 12, 40, 10), Qt::AlignRight | Qt::AlignBottom,
              Q(caption));
}

void FigureFrame::NightAxis(const std::vector<std::string>& dates) {
  p_.setFont(SmallFont());
  p_.setPen(Qt::black);
  if (dates.empty()) return;
  const double labelW = QFontMetricsF(SmallFont(), p_.device()).horizontalAdvance("00-00") + 6;
  const double slot = plot_.width() / std::max<double>(1, x1_ - x0_);
  const size_t every = std::max<size_t>(1, static_cast<size_t>(std::ceil(labelW / std::max(slot, 0.1))));
  for (size_t i = 0; i < dates.size(); i += every) {
    const double x = X(static_cast<double>(i));
    const std::string& d = dates[i];
    const std::string shortDate = d.size() >= 10 ? d.substr(5, 5) : d;
    p_.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + 2));
    p_.drawText(QRectF(x - labelW / 2, plot_.bottom() + 2, labelW, 10), Qt::AlignHCenter | Qt::AlignTop,
                Q(shortDate));
  }
  const std::string first = dates.front().substr(0, 4);
  p_.drawText(QRectF(plot_.left(), plot_.bottom() + 12, plot_.width(), 10), Qt::AlignHCenter | Qt::AlignTop,
              Q(std::string(msg::kAxisNight) + " (" + first + ")"));
}

void FigureFrame::XAxis(const std::string& caption, double tickStep, double labelScale) {
  p_.setFont(SmallFont());
  for (double t = std::ceil(x0_ / tickStep) * tickStep; t <= x1_ + 1e-9; t += tickStep) {
    const double x = X(t);
    p_.setPen(QPen(QColor(225, 225, 225), 0.5));
    p_.drawLine(QPointF(x, plot_.top()), QPointF(x, plot_.bottom()));
    p_.setPen(Qt::black);
    p_.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + 2));
    p_.drawText(QRectF(x - 15, plot_.bottom() + 2, 30, 10), Qt::AlignHCenter | Qt::AlignTop,
                Q(TickText(t * labelScale)));
  }
  p_.drawText(QRectF(plot_.left(), plot_.bottom() + 12, plot_.width(), 10), Qt::AlignHCenter | Qt::AlignTop,
              Q(caption));
}

void FigureFrame::Box() {
  p_.setPen(QPen(Qt::black, 0.6));
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(plot_);
}

void FigureFrame::NoData() {
  p_.setFont(SmallFont());
  p_.setPen(Qt::gray);
  p_.drawText(plot_, Qt::AlignCenter, Q(std::string(msg::kNoData)));
}

}  // namespace zorvel::report
