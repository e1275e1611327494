#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class ExportPage : public TitledPage {
 public:
  explicit ExportPage(QWidget* parent = nullptr);
};

}  // namespace zorvel::ui
