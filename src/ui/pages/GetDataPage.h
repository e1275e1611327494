#pragma once

#include "ui/pages/TitledPage.h"

class QPlainTextEdit;

namespace zorvel::ui {

class GetDataPage : public TitledPage {
 public:
  explicit GetDataPage(QWidget* parent = nullptr);
  QPlainTextEdit* UploadMemo = nullptr;  // the SD card import's report
};

}  // namespace zorvel::ui
