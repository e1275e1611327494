// The "About" page: the program's name and version and a link to the maker's pages.
#pragma once

#include "ui/pages/TitledPage.h"

class QLabel;

namespace zorvel::ui {

class AboutPage : public TitledPage {
 public:
  explicit AboutPage(QWidget* parent = nullptr);
  QLabel* ProgramNameLbl = nullptr;
  QLabel* VersionLbl = nullptr;
  QLabel* WebLinkLbl = nullptr;  // opens the address in the default browser
};

}  // namespace zorvel::ui
