// "Files/Filters": the call and wave-group range edits, the class switches, the three-way flag
// filters, the sequence edits, the species list, the time/light/temperature edits, the clear
// buttons, marking the selection of calls, and the filter settings files.
#pragma once

#include <array>

#include "filters/MinuteFilter.h"
#include "filters/RangeEdits.h"
#include "species/BuiltInSpecies.h"
#include "ui/pages/TitledPage.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zorvel::ui {

class ClickLabel;

// A line edit that reports double-clicks (they reset the edit's text).
class FilterEdit;

class FiltersPage : public TitledPage {
 public:
  explicit FiltersPage(QWidget* parent = nullptr);
  // The species list's captions as a classifier names its species (check states are kept).
  void SetSpeciesCaptions(SpClassifier classifier);

  std::array<FilterEdit*, kRangeEditCount> RangeEdits{};  // indexed by RangeEdit
  std::array<FilterEdit*, static_cast<size_t>(MinuteEdit::Count)> MinuteEdits{};  // indexed by MinuteEdit
  QCheckBox* CFchk = nullptr;
  QCheckBox* QCFchk = nullptr;
  QCheckBox* FMchk = nullptr;
  QCheckBox* noSpChk = nullptr;
  QCheckBox* IncludeFragments = nullptr;
  QCheckBox* CallHasThirdHarmonic = nullptr;
  ClickLabel* BzFilterLbl = nullptr;
  ClickLabel* MarkFilterLbl = nullptr;
  ClickLabel* SocialCallFilterLbl = nullptr;
  FilterEdit* SeqEdit = nullptr;
  FilterEdit* Seq2Edit = nullptr;
  QPlainTextEdit* CallFeatureListMemo = nullptr;
  QListWidget* SpList = nullptr;
  ClickLabel* SetAllSpeciesTrueLbl = nullptr;
  ClickLabel* SetAllSpeciesFalseLbl = nullptr;
  ClickLabel* SaveSpNumbersLbl = nullptr;
  ClickLabel* RestoreSpLbl = nullptr;
  QCheckBox* UseSpList = nullptr;
  QCheckBox* NoPoorSpecies = nullptr;
  QCheckBox* FilterSpN1 = nullptr;
  QCheckBox* FilterSpN2 = nullptr;
  QCheckBox* FilterSpN3 = nullptr;
  QPushButton* ClearOctAndCallFiltersBtn = nullptr;
  QPushButton* ClearHourAndLightFilters = nullptr;
  QCheckBox* IgnoreFilters = nullptr;
  ClickLabel* IgnoreFiltersLbl = nullptr;
  QPushButton* MarkSelectedCallsBtn = nullptr;
  QPushButton* RemoveMarksBtn = nullptr;
  QPushButton* SaveFilterSettingsBtn = nullptr;
  QPushButton* LoadFilterSettingsBtn = nullptr;
  QPushButton* SaveExportSettingsBtn = nullptr;
  QPushButton* LoadExportSettingsBtn = nullptr;
};

}  // namespace zorvel::ui
