// One bar chart of the results summary: a count per kHz, each bar in the palette colour of its kHz.
#pragma once

#include <QtCharts/QChartView>
#include <array>
#include <cstdint>

namespace zorvel::ui {

class SummaryChartView : public QChartView {
 public:
  SummaryChartView(const QString& name, const QString& title, QWidget* parent = nullptr);
  // Replaces the bars by counts[0 … 197].
  void SetCounts(const std::array<int64_t, 256>& counts);
  int BarCount() const;  // bars given to the chart, for checks
};

// The kHz range the charts show.
constexpr int kSummaryChartPoints = 198;

}  // namespace zorvel::ui
