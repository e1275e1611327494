#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class DisplayPage : public TitledPage {
 public:
  explicit DisplayPage(QWidget* parent = nullptr);
};

}  // namespace zorvel::ui
