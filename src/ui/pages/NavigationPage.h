#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class NavigationPage : public TitledPage {
 public:
  explicit NavigationPage(QWidget* parent = nullptr);
};

}  // namespace zorvel::ui
