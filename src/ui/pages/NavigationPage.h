#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class ClickLabel;

class NavigationPage : public TitledPage {
 public:
  explicit NavigationPage(QWidget* parent = nullptr);
  // Double-clicking the image switches administrator mode on and shows the developer window.
  ClickLabel* NavigationImage = nullptr;
};

}  // namespace zorvel::ui
