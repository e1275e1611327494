// The frame every report figure shares: a title, a plot area with scaled axes, tick labels,
// and a legend on the right. Drawn into any QPainter, so the PDF page and the SVG of the HTML
// file come from the same calls. Sizes are in points (the report's devices run at 72 dpi).
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <string>
#include <vector>

namespace zorvel::report {

// The colour of chart entry i (a palette that stays apart for readers with colour-blindness).
QColor SeriesColour(size_t i);

struct LegendEntry {
  std::string label;
  QColor colour;
  bool line = false;  // a line rather than a filled box
};

class FigureFrame {
 public:
  // Lays out the figure in `area`: the title on top, the legend (when given) on the right.
  // rightAxis leaves room for labels on the plot's right-hand side.
  FigureFrame(QPainter& p, const QRectF& area, const std::string& title,
              const std::vector<LegendEntry>& legend, bool rightAxis = false);

  const QRectF& Plot() const { return plot_; }
  void SetX(double lo, double hi) { x0_ = lo, x1_ = hi; }
  void SetY(double lo, double hi) { y0_ = lo, y1_ = hi; }
  double X(double v) const;
  double Y(double v) const;

  // Ticks and grid lines at round values; `labels` turn a value into its text.
  void YAxis(const std::string& caption, int most = 5);
  void RightAxis(double lo, double hi, const std::string& caption, int most = 5);  // labels only
  double RightY(double v) const;
  // Night labels along the x axis, one per night position 0 … n-1, thinned to fit.
  void NightAxis(const std::vector<std::string>& dates);
  void XAxis(const std::string& caption, double tickStep, double labelScale);
  void Box();
  void NoData();
  QFont SmallFont() const;

 private:
  QPainter& p_;
  QRectF plot_;
  double x0_ = 0, x1_ = 1, y0_ = 0, y1_ = 1;
  double r0_ = 0, r1_ = 1;
};

}  // namespace zorvel::report
