#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class SettingsPage : public TitledPage {
 public:
  explicit SettingsPage(QWidget* parent = nullptr);
};

}  // namespace zorvel::ui
