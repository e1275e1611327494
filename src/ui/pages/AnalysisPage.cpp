#include "ui/pages/AnalysisPage.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "display/Messages.h"
#include "display/Palette.h"
#include "display/ResultsSummary.h"
#include "ui/Messages.h"
#include "ui/pages/SummaryChartView.h"

namespace zorvel::ui {
namespace {

QString Q(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

QLabel* NamedLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(QLatin1String(name));
  return l;
}

constexpr std::array<const char*, 8> kChartNames{"KHZflatsChart",   "KHZmaxChart",      "KHZminChart",
                                                 "KHZmaxDownChart", "KHZminSlopeChart", "KHZspectrumChart",
                                                 "KHZupBendChart",  "KHZDownBendChart"};
// Chart titles are our own: the parameter each chart counts.
constexpr std::array<const char*, 8> kChartTitles{"Flats kHz",    "Max kHz",       "Min kHz",
                                                  "Max fall kHz", "Min slope kHz", "Spectrum kHz",
                                                  "Bend up kHz",  "Bend down kHz"};

}  // namespace

AnalysisPage::AnalysisPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kAnalysisPage]), false, parent) {
  auto* top = new QHBoxLayout();
  auto* box = new QGroupBox(Q(zorvel::msg::kFileRadioGroup), this);
  box->setObjectName(QStringLiteral("FileNoRadioGroup"));
  auto* radios = new QHBoxLayout(box);
  FileNoRadioGroup = new QButtonGroup(this);
  for (int i = 1; i <= kSlotCount; ++i) {
    auto* r = new QRadioButton(QString::number(i), box);
    r->setChecked(i == 1);
    FileNoRadioGroup->addButton(r, i);
    radios->addWidget(r);
  }
  ReCalcBtn = new QPushButton(Q(zorvel::msg::kAnalyze), this);
  ReCalcBtn->setObjectName(QStringLiteral("ReCalcBtn"));
  top->addWidget(box);
  top->addWidget(ReCalcBtn);
  top->addStretch(1);
  Body()->addLayout(top);

  auto* labels = new QGridLayout();
  FileTimeOnLbl = NamedLabel(this, "FileTimeOnLbl");
  RunningTimeLbl = NamedLabel(this, "RunningTimeLbl");
  WaveTotalLbl = NamedLabel(this, "WaveTotalLbl");
  CallCountLbl = NamedLabel(this, "CallCountLbl");
  AnalysisDPMperDayLbl = NamedLabel(this, "AnalysisDPMperDayLbl");
  DiversityLbl = NamedLabel(this, "DiversityLbl");
  OneGbLastsLbl = NamedLabel(this, "OneGbLastsLbl");
  BattStackLbl = NamedLabel(this, "BattStackLbl");
  TruncatedMinsLbl = NamedLabel(this, "TruncatedMinsLbl");
  WaveFiltersInForceLbl = NamedLabel(this, "WaveFiltersInForceLbl");
  CallFiltersInForceLbl = NamedLabel(this, "CallFiltersInForceLbl");
  MeanDegCLbl = NamedLabel(this, "MeanDegCLbl");
  const std::array<QLabel*, 12> all{FileTimeOnLbl, RunningTimeLbl,        WaveTotalLbl,
                                    CallCountLbl,  AnalysisDPMperDayLbl,  DiversityLbl,
                                    OneGbLastsLbl, BattStackLbl,          TruncatedMinsLbl,
                                    MeanDegCLbl,   WaveFiltersInForceLbl, CallFiltersInForceLbl};
  for (size_t i = 0; i < all.size(); ++i)
    labels->addWidget(all[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
  Body()->addLayout(labels);

  auto* legend = new QGridLayout();
  for (size_t i = 0; i < TypeLbl.size(); ++i) {
    TypeLbl[i] = NamedLabel(this, ("T" + std::to_string(i + 5)).c_str());
    legend->addWidget(TypeLbl[i], 0, static_cast<int>(2 * i));
    if (i < TypeBar.size()) {
      TypeBar[i] = new QFrame(this);
      TypeBar[i]->setFixedSize(0, 10);
      TypeBar[i]->setAutoFillBackground(true);
      legend->addWidget(TypeBar[i], 0, static_cast<int>(2 * i + 1));
    }
  }
  legend->setColumnStretch(10, 1);
  Body()->addLayout(legend);

  auto* charts = new QGridLayout();
  for (size_t i = 0; i < Charts.size(); ++i) {
    Charts[i] = new SummaryChartView(QLatin1String(kChartNames[i]), QLatin1String(kChartTitles[i]), this);
    charts->addWidget(Charts[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
  }
  Body()->addLayout(charts, 1);

  AnalysisMemo = new QPlainTextEdit(this);
  AnalysisMemo->setObjectName(QStringLiteral("AnalysisMemo"));
  AnalysisMemo->setVisible(false);
  Body()->addWidget(AnalysisMemo, 1);
}

int AnalysisPage::ChosenSlot() const {
  const int id = FileNoRadioGroup->checkedId();
  return id >= 1 && id <= kSlotCount ? id : 1;
}

void AnalysisPage::Show(const SummaryTotals& t, const SummaryTexts& x, const QString& waveFilters) {
  FileTimeOnLbl->setText(Q(x.FileTimeOn));
  RunningTimeLbl->setText(Q(x.RunningTime));
  WaveTotalLbl->setText(Q(x.WaveTotal));
  CallCountLbl->setText(Q(x.CallCount));
  AnalysisDPMperDayLbl->setText(Q(x.DPMperDay));
  DiversityLbl->setText(Q(x.Diversity));
  OneGbLastsLbl->setText(Q(x.OneGbLasts));
  BattStackLbl->setText(Q(x.BattStack));
  TruncatedMinsLbl->setText(Q(x.Truncated));
  WaveFiltersInForceLbl->setText(waveFilters);
  CallFiltersInForceLbl->setText(Q(x.CallFilters));
  MeanDegCLbl->setText(Q(x.MeanDegC));
  for (size_t i = 0; i < Charts.size(); ++i) Charts[i]->SetCounts(t.charts[i]);
  const bool calls = t.fileType == ftZV2;
  const std::array<int, 3> types{tcFM, tcQCF, tcCF};
  for (size_t i = 0; i < TypeLbl.size(); ++i)
    TypeLbl[i]->setText(calls && i < 3 ? Q(zorvel::msg::kTypeLegend[i]) : QString());
  for (size_t i = 0; i < TypeBar.size(); ++i) {
    TypeBar[i]->setFixedWidth(calls ? TypeBarWidth(t, types[i]) : 0);
    QPalette p = TypeBar[i]->palette();
    p.setColor(QPalette::Window, FrequencyColour(TypeMeanKHZ(t, types[i])));
    TypeBar[i]->setPalette(p);
  }
}

}  // namespace zorvel::ui
