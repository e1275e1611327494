#pragma once

#include "ui/pages/TitledPage.h"

namespace zorvel::ui {

class FiltersPage : public TitledPage {
 public:
  explicit FiltersPage(QWidget* parent = nullptr);
};

}  // namespace zorvel::ui
