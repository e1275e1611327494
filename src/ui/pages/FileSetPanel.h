// The file-set utilities of the "Files/Filters" page: rename, move or delete a set, shift the open
// files in time, join later ZV1 files onto File 1, and crop a batch of files to File 1's span.
// A panel of its own, so that the page's filter controls and these can grow apart.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace zorvel::ui {

class FileSetPanel : public QGroupBox {
 public:
  explicit FileSetPanel(QWidget* parent = nullptr);
  QPushButton* RenameFileSetBtn = nullptr;
  QPushButton* RenameOneFileBtn = nullptr;
  QPushButton* DeleteFileSetBtn = nullptr;
  QPushButton* AddMinsToStartBtn = nullptr;
  QLineEdit* MinsToAddToStartEdit = nullptr;
  QPushButton* JoinZV1FilesBtn = nullptr;
  QCheckBox* KeepGapsChk = nullptr;
  QCheckBox* CopyJoinFirstFileChk = nullptr;
  QPushButton* CropCopiesBtn = nullptr;
};

}  // namespace zorvel::ui
