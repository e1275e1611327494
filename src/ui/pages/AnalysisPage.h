#pragma once

#include "ui/pages/TitledPage.h"

class QPlainTextEdit;

namespace zorvel::ui {

class AnalysisPage : public TitledPage {
 public:
  explicit AnalysisPage(QWidget* parent = nullptr);
  // Diagnostic lines; visible only in administrator mode.
  QPlainTextEdit* AnalysisMemo = nullptr;
};

}  // namespace zorvel::ui
