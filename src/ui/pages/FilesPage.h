// The "Files" page: opening data files into the six slots and closing them, file 1's deployment
// texts (written into every open file's header), and the selected period that is copied into
// new files and played.
#pragma once

#include "ui/pages/TitledPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvel::ui {

class ClickLabel;

class FilesPage : public TitledPage {
 public:
  explicit FilesPage(QWidget* parent = nullptr);
  QPushButton* OpenUnrelatedFilesBtn = nullptr;
  QPushButton* OpenFileSetBtn = nullptr;
  QPushButton* CloseFileBtn = nullptr;
  QPushButton* CloseAllFilesBtn = nullptr;

  QLineEdit* Location1Edit = nullptr;
  QLineEdit* Notes1Edit = nullptr;
  QLineEdit* Lat1Edit = nullptr;
  QLineEdit* Long1Edit = nullptr;
  QLineEdit* GMT1Edit = nullptr;
  QPushButton* SaveTextBtn = nullptr;

  QLineEdit* PeriodFromEdit = nullptr;
  QLineEdit* PeriodToEdit = nullptr;
  QPushButton* CopyPeriodBtn = nullptr;

  // The time range that exports, listings and processing keep to: the whole span of the open
  // files, or the selection set from the display's popup menu.
  QLabel* RangeLbl = nullptr;
  QLabel* StartSharedTimeLbl = nullptr;
  QLabel* EndSharedTimeLbl = nullptr;
  ClickLabel* ClearSelectionLbl = nullptr;
};

}  // namespace zorvel::ui
