#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class ProcessPage : public TitledPage {
 public:
  explicit ProcessPage(QWidget* parent = nullptr);
};

}  // namespace zorvel::ui
