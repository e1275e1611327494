#include "ui/pages/ProcessPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "callfinder/Settings.h"
#include "ui/ClassifierGraph.h"
#include "ui/Messages.h"

namespace zorvel::ui {

namespace {
QCheckBox* Check(QWidget* parent, const char* name, const char* caption, bool on, const char* hint = nullptr) {
  auto* c = new QCheckBox(QString::fromLatin1(caption), parent);
  c->setObjectName(QString::fromLatin1(name));
  c->setChecked(on);
  if (hint) c->setStatusTip(QString::fromLatin1(hint));
  return c;
}
QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}
}  // namespace

ProcessPage::ProcessPage(QWidget* parent)
    : TitledPage(QString::fromLatin1(msg::kPageTitles[msg::kProcessPage]), false, parent) {
  const FinderSettings defaults;
  auto* row = new QHBoxLayout;
  Body()->addLayout(row, 1);
  auto* left = new QVBoxLayout;
  FindCallsInBatchBtn = Button(this, "FindCallsInBatchBtn", msg::kFindCallsBtn);
  FindCallsInBatchBtn->setStatusTip(QString::fromLatin1(msg::kFindCallsHint));
  left->addWidget(FindCallsInBatchBtn);
  SpClassifierGroup.box = new QGroupBox(QString::fromLatin1(msg::kSpClassifierCaption), this);
  SpClassifierGroup.box->setObjectName(QStringLiteral("SpClassifierGroup"));
  SpClassifierGroup.buttons = new QButtonGroup(SpClassifierGroup.box);
  auto* groupLayout = new QVBoxLayout(SpClassifierGroup.box);
  groupLayout->setSpacing(0);
  for (int i = 0; i < msg::kSpClassifierItemCount; ++i) {
    auto* b = new QRadioButton(QString::fromLatin1(msg::kSpClassifierItems[i]), SpClassifierGroup.box);
    SpClassifierGroup.buttons->addButton(b, i);
    groupLayout->addWidget(b);
  }
  SpClassifierGroup.SetIndex(0);
  left->addWidget(SpClassifierGroup.box);
  left->addStretch(1);
  row->addLayout(left);

  auto* options = new QVBoxLayout;
  options->setSpacing(2);
  ShowDetectionSummary = Check(this, "ShowDetectionSummary", msg::kShowDetectionSummary, true);
  SkipIfZV2exists = Check(this, "SkipIfZV2exists", msg::kSkipIfZV2exists, false);
  FindBuzzes = Check(this, "FindBuzzes", msg::kFindBuzzes, defaults.FindBuzzes, msg::kFindBuzzesHint);
  UseNoiseReductionProcess = Check(this, "UseNoiseReductionProcess", msg::kUseNoiseReduction, defaults.UseNoiseReduction);
  ExportToClassifier = Check(this, "ExportToClassifier", msg::kExportToClassifier, defaults.ExportToClassifier);
  SpForClassifierEdit = new QLineEdit(QString::fromStdString(defaults.ExportLabel), this);
  SpForClassifierEdit->setObjectName(QStringLiteral("SpForClassifierEdit"));
  SpForClassifierEdit->setFixedWidth(90);
  ShowClassifierGraphs = Check(this, "ShowClassifierGraphs", msg::kShowClassifierGraphs, true);
  RetainSpN1 = Check(this, "RetainSpN1", msg::kRetainSpN1, false);
  for (QWidget* w : std::initializer_list<QWidget*>{ShowDetectionSummary, SkipIfZV2exists, FindBuzzes,
                                                    UseNoiseReductionProcess})
    options->addWidget(w);
  auto* exportRow = new QHBoxLayout;
  exportRow->addWidget(ExportToClassifier);
  exportRow->addWidget(SpForClassifierEdit);
  exportRow->addStretch(1);
  options->addLayout(exportRow);
  options->addWidget(ShowClassifierGraphs);
  options->addWidget(RetainSpN1);
  ExportToOtherClassifierBtn = Button(this, "ExportToOtherClassifierBtn", msg::kExportToOtherClassifier);
  ImportFromClassifierBtn = Button(this, "ImportFromClassifierBtn", msg::kImportFromClassifier);
  options->addWidget(ExportToOtherClassifierBtn);
  options->addWidget(ImportFromClassifierBtn);
  SourceLine1Lbl = new QLabel(this);
  SourceLine1Lbl->setObjectName(QStringLiteral("SourceLine1Lbl"));
  SourceLine2Lbl = new QLabel(this);
  SourceLine2Lbl->setObjectName(QStringLiteral("SourceLine2Lbl"));
  options->addWidget(SourceLine1Lbl);
  options->addWidget(SourceLine2Lbl);
  options->addStretch(1);
  row->addLayout(options);

  Graph = new ClassifierGraph(this);
  row->addWidget(Graph, 1);
}

}  // namespace zorvel::ui
