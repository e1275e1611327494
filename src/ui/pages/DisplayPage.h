// The "Display" page: each file's y-axis type, the four scale boxes and the drawing switches.
#pragma once

#include <array>

#include "core/FileRec.h"
#include "ui/pages/TitledPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zorvel::ui {

class ClickLabel;
class GraphsPanel;

class DisplayPage : public TitledPage {
 public:
  explicit DisplayPage(QWidget* parent = nullptr);
  // Each slot's file name beside its y-axis box, or "(File n - vacant)"; the window keeps them
  // in line with the slots.
  std::array<QLabel*, kSlotCount> SlotLbl{};
  std::array<QComboBox*, kSlotCount> DisplayOptionsCombo{};  // File1DisplayOptionsCombo …
  QLineEdit* KHZYscaleMaxEdit = nullptr;
  QLineEdit* PeriodYscaleMaxEdit = nullptr;
  QLineEdit* SPLYscaleMaxEdit = nullptr;
  QLineEdit* CountYscaleMaxEdit = nullptr;
  ClickLabel* LineWidthLbl = nullptr;
  QCheckBox* WhiteScreen = nullptr;
  QCheckBox* BlackLines = nullptr;
  QCheckBox* ColourFeatures = nullptr;
  QCheckBox* ShowMaxFall = nullptr;
  QCheckBox* ShowQual = nullptr;
  QCheckBox* ShowFreqGridLines = nullptr;
  QCheckBox* ShowLight = nullptr;
  QCheckBox* ShowTemps = nullptr;
  QCheckBox* ShowTempsGrid = nullptr;
  QCheckBox* UseRTCtemperatures = nullptr;
  QCheckBox* HidePointerTxtChk = nullptr;  // hides the read-out that follows the pointer
  std::array<QCheckBox*, 4> ShowBatt{};  // ShowBatt1 … ShowBatt4
  GraphsPanel* Graphs = nullptr;
};

}  // namespace zorvel::ui
