// "Settings": for now the ZV1 size limit that the SD card import uses.
#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class ClickLabel;

class SettingsPage : public TitledPage {
 public:
  explicit SettingsPage(QWidget* parent = nullptr);
  ClickLabel* ZV1sizeLimitLbl = nullptr;
};

}  // namespace zorvel::ui
