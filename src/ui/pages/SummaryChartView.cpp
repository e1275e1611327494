#include "ui/pages/SummaryChartView.h"

#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

#include "display/Palette.h"

namespace zorvel::ui {

SummaryChartView::SummaryChartView(const QString& name, const QString& title, QWidget* parent)
    : QChartView(parent) {
  setObjectName(name);
  auto* chart = new QChart();
  chart->setTitle(title);
  chart->legend()->hide();
  chart->setMargins(QMargins(0, 0, 0, 0));
  chart->setBackgroundRoundness(0);
  // The menu page is short: small type leaves the bars most of the room.
  QFont f = chart->titleFont();
  f.setPointSize(7);
  chart->setTitleFont(f);
  chart->addSeries(new QBarSeries(chart));
  setChart(chart);
  setMinimumSize(200, 90);
  setRenderHint(QPainter::Antialiasing, false);
}

void SummaryChartView::SetCounts(const std::array<int64_t, 256>& counts) {
  auto* series = static_cast<QBarSeries*>(chart()->series().first());
  series->clear();
  // A bar set per kHz is what lets each bar take its own palette colour.
  QList<QBarSet*> sets;
  qreal top = 1;
  for (int x = 0; x < kSummaryChartPoints; ++x) {
    auto* set = new QBarSet(QString::number(x));
    set->append(static_cast<qreal>(counts[static_cast<size_t>(x)]));
    set->setColor(FrequencyColour(x));
    set->setBorderColor(FrequencyColour(x));
    top = std::max(top, static_cast<qreal>(counts[static_cast<size_t>(x)]));
    sets << set;
  }
  series->append(sets);
  series->setBarWidth(1.0);
  for (QAbstractAxis* a : chart()->axes()) {
    chart()->removeAxis(a);
    delete a;
  }
  auto* y = new QValueAxis(chart());
  y->setRange(0, top);
  y->setLabelFormat(QStringLiteral("%d"));
  y->setTickCount(2);
  QFont f = y->labelsFont();
  f.setPointSize(6);
  y->setLabelsFont(f);
  chart()->addAxis(y, Qt::AlignLeft);
  series->attachAxis(y);
}

int SummaryChartView::BarCount() const {
  const auto list = chart()->series();
  return list.isEmpty() ? 0 : static_cast<int>(static_cast<QBarSeries*>(list.first())->count());
}

}  // namespace zorvel::ui
