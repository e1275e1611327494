// "Export": the period export's choices and commands, the call-details and minute-value
// listings, and the batch listings of files.
#pragma once

#include <array>

#include "ui/pages/TitledPage.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zorvel::ui {

// A titled group of radio buttons whose checked index is the control's value.
struct RadioGroup {
  QGroupBox* box = nullptr;
  QButtonGroup* buttons = nullptr;
  int Index() const;
  void SetIndex(int i);
};

class ExportPage : public TitledPage {
 public:
  explicit ExportPage(QWidget* parent = nullptr);

  RadioGroup ExpWhatRadioGp, ExpPeriodRadioGp, FileOrJotter, ExportTimeFormatsGp, DayOrMinGp;
  QCheckBox* ExportSelectedTime = nullptr;
  QCheckBox* OmitSpreadsheetHeaders = nullptr;
  QCheckBox* DropBlanksChkBox = nullptr;
  QCheckBox* WithBriefFileName = nullptr;
  QCheckBox* SeparateFiles = nullptr;
  std::array<QCheckBox*, 6> ExportFile{};  // ExportFile1 … ExportFile6
  QPushButton* ExportFromOpenFilesBtn = nullptr;
  QPushButton* ExportBatchBtn = nullptr;
  QPushButton* ExportCallDetailsBtn = nullptr;
  QPushButton* ExportPassesBtn = nullptr;
  QPushButton* ListLightTempValsBtn = nullptr;
  QPushButton* ExportCalibrationBtn = nullptr;
  QPushButton* ListFilesBtn = nullptr;
  QPushButton* ListSettingsBtn = nullptr;
  QPushButton* PutOpenFileSettingsOnClipbrdBtn = nullptr;
  QLabel* ExportClkFilterLbl = nullptr;
  QLabel* ExportTrnFilterLbl = nullptr;
};

}  // namespace zorvel::ui
