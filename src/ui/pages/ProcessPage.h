// "Process": call finding over a batch of ZV1 files and its choices.
#pragma once

#include "ui/pages/ExportPage.h"
#include "ui/pages/TitledPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvel::ui {

class ClassifierGraph;

class ProcessPage : public TitledPage {
 public:
  explicit ProcessPage(QWidget* parent = nullptr);

  QPushButton* FindCallsInBatchBtn = nullptr;
  RadioGroup SpClassifierGroup;
  QCheckBox* ShowDetectionSummary = nullptr;
  QCheckBox* SkipIfZV2exists = nullptr;
  QCheckBox* FindBuzzes = nullptr;
  QCheckBox* UseNoiseReductionProcess = nullptr;
  QCheckBox* ExportToClassifier = nullptr;
  QLineEdit* SpForClassifierEdit = nullptr;
  QCheckBox* ShowClassifierGraphs = nullptr;
  QCheckBox* RetainSpN1 = nullptr;
  QPushButton* ExportToOtherClassifierBtn = nullptr;
  QPushButton* ImportFromClassifierBtn = nullptr;
  QLabel* SourceLine1Lbl = nullptr;
  QLabel* SourceLine2Lbl = nullptr;
  ClassifierGraph* Graph = nullptr;
};

}  // namespace zorvel::ui
