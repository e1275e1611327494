// The "Files" page: opening data files into the six slots and closing them.
#pragma once

#include "ui/pages/TitledPage.h"

class QPushButton;

namespace zorvel::ui {

class FilesPage : public TitledPage {
 public:
  explicit FilesPage(QWidget* parent = nullptr);
  QPushButton* OpenUnrelatedFilesBtn = nullptr;
  QPushButton* OpenFileSetBtn = nullptr;
  QPushButton* CloseFileBtn = nullptr;
  QPushButton* CloseAllFilesBtn = nullptr;
};

}  // namespace zorvel::ui
