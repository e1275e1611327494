// The "Navigation" page: the level labels, the buttons that move the view, the go-to time and
// the minute-number translator, and the seek threshold.
#pragma once

#include <array>

#include "ui/pages/TitledPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvel::ui {

class ClickLabel;

class NavigationPage : public TitledPage {
 public:
  explicit NavigationPage(QWidget* parent = nullptr);
  // Double-clicking the image switches administrator mode on and shows the developer window.
  ClickLabel* NavigationImage = nullptr;
  std::array<ClickLabel*, 21> LevelLbl{};  // Lbl5us … Lb10days
  QLabel* TimeResLbl = nullptr;
  QPushButton* StartBtn = nullptr;
  QPushButton* GoOnBtn = nullptr;
  QPushButton* GoBackBtn = nullptr;
  QPushButton* FastForwardButton = nullptr;
  QPushButton* RefreshBtn = nullptr;
  QPushButton* FitToScreenBtn = nullptr;
  QPushButton* GoToTimeBtn = nullptr;
  QLineEdit* DropTimeTextEdit = nullptr;
  QLineEdit* MinuteNumberTranslatorEdit = nullptr;
  QLineEdit* MinNToShowEdit = nullptr;
  // Colours the labels: the current level red, the others dark green.
  void ShowLevel(int level);
};

}  // namespace zorvel::ui
