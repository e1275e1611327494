// "Get Data": the deployment's texts, the switches of what follows an import, the command that
// reads an SD card, and the import's report.
#pragma once

#include "ui/pages/TitledPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace zorvel::ui {

class GetDataPage : public TitledPage {
 public:
  explicit GetDataPage(QWidget* parent = nullptr);

  QLineEdit* LatEdit = nullptr;
  QLineEdit* LongEdit = nullptr;
  QLabel* LatDecDegLbl = nullptr;
  QLabel* LongDecDegLbl = nullptr;
  QLabel* LatErrorLbl = nullptr;
  QLabel* LongErrorLbl = nullptr;
  QLineEdit* LocationEdit = nullptr;
  QLineEdit* NotesEdit = nullptr;
  QLineEdit* UTCEdit = nullptr;
  QCheckBox* NoGapsInFileName = nullptr;
  QCheckBox* ProcessAfterDownload = nullptr;
  QCheckBox* OpenFileAfterDownload = nullptr;
  QPushButton* ReadSDBtn = nullptr;
  QPushButton* ProcessZV1fileListBtn = nullptr;
  QLabel* MinutesReadLbl = nullptr;
  // Reading recordings: the command and its options.
  QPushButton* ReadRecordingsBtn = nullptr;
  QLineEdit* TimeExpansionEdit = nullptr;  // empty: none given
  QLineEdit* HighPassKhzEdit = nullptr;
  QLineEdit* ChannelEdit = nullptr;
  QCheckBox* RecordingsSubfolders = nullptr;
  QCheckBox* OneFilePerFolder = nullptr;
  QCheckBox* ZeroCrossingFrontEnd = nullptr;
  QPlainTextEdit* UploadMemo = nullptr;  // the SD card import's report
};

}  // namespace zorvel::ui
