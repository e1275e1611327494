// The "Results" page: the results memo that commands write for the user, its four buttons, and
// the error list until it gets a page of its own.
#pragma once

#include "ui/pages/TitledPage.h"

class QPlainTextEdit;
class QPushButton;

namespace zorvel::ui {

class ResultsPage : public TitledPage {
 public:
  explicit ResultsPage(QWidget* parent = nullptr);
  QPlainTextEdit* DataMemo = nullptr;
  QPlainTextEdit* ErrorsMemo = nullptr;
  QPushButton* CopyDataMemoBtn = nullptr;       // "Cut to Clipboard"
  QPushButton* CopyResultsBtn = nullptr;        // "Copy to Clipboard"
  QPushButton* ClearJotterBtn = nullptr;        // "Clear all"
  QPushButton* SaveResultsAsFileBtn = nullptr;  // "Save as text file"
};

}  // namespace zorvel::ui
