// The Analysis page: "Analyze" summarises one file over the time range in use into labels, the
// analysis memo, eight frequency bar charts and the call-type legend bars.
#pragma once

#include <array>

#include "core/FileRec.h"
#include "ui/pages/TitledPage.h"

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace zorvel {
struct SummaryTotals;
struct SummaryTexts;
}  // namespace zorvel

namespace zorvel::ui {

class SummaryChartView;

class AnalysisPage : public TitledPage {
 public:
  explicit AnalysisPage(QWidget* parent = nullptr);
  // Diagnostic lines; visible only in administrator mode.
  QPlainTextEdit* AnalysisMemo = nullptr;
  QPushButton* ReCalcBtn = nullptr;
  QButtonGroup* FileNoRadioGroup = nullptr;  // ids 1 … 6
  QLabel *FileTimeOnLbl = nullptr, *RunningTimeLbl = nullptr, *WaveTotalLbl = nullptr,
         *CallCountLbl = nullptr, *AnalysisDPMperDayLbl = nullptr, *DiversityLbl = nullptr,
         *OneGbLastsLbl = nullptr, *BattStackLbl = nullptr, *TruncatedMinsLbl = nullptr,
         *WaveFiltersInForceLbl = nullptr, *CallFiltersInForceLbl = nullptr, *MeanDegCLbl = nullptr;
  std::array<QLabel*, 5> TypeLbl{};  // T5 … T9
  std::array<QFrame*, 3> TypeBar{};  // the bars beside T5 … T7
  // KHZflatsChart, KHZmaxChart, KHZminChart, KHZmaxDownChart, KHZminSlopeChart, KHZspectrumChart,
  // KHZupBendChart, KHZDownBendChart.
  std::array<SummaryChartView*, 8> Charts{};

  // The chosen slot (1 … 6).
  int ChosenSlot() const;
  void Show(const SummaryTotals& totals, const SummaryTexts& texts, const QString& waveFilters);
};

}  // namespace zorvel::ui
