// "Settings": the logger's operating settings and clock (written to its SD card as BATSETS.txt and
// BATTIME.txt), and the size at which the SD card import starts a new ZV1 file. The page's
// controls are bound to one LoggerSettingsModel, which is the only holder of these values.
#pragma once

#include <array>
#include <string_view>

#include "logger/LoggerSettings.h"
#include "ui/pages/TitledPage.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvel::ui {

class ClickLabel;

class SettingsPage : public TitledPage {
  Q_OBJECT
 public:
  explicit SettingsPage(QWidget* parent = nullptr);

  logger::LoggerSettingsModel& Model() { return model_; }
  // Shows what the model holds (after a change that did not come from a control).
  void PullFromModel();
  QLineEdit* EditNamed(std::string_view name) const;

  // The option labels and the page's own buttons; a label text outside its cycle is reported
  // through Problem and the label keeps its text.
  void HighPassFilterLblClick();
  void DetectionModeLblClick();
  void LightSwitchLblClick();
  void MinsOffLblClick();
  void BatteryTypeLblClick();
  void ShowAdvancedSettingsLblClick();
  void SetNowBtnClick();
  void SetNow(const CivilDateTime& now);
  void RestoreDefaultsBtnClick();

  // In the order of logger::EditSpecs().
  std::array<QLineEdit*, 25> Edits{};
  ClickLabel* HighPassFilterLbl = nullptr;
  ClickLabel* DetectionModeLbl = nullptr;
  ClickLabel* LightSwitchLbl = nullptr;
  ClickLabel* MinsOffLbl = nullptr;
  ClickLabel* BatteryTypeLbl = nullptr;
  ClickLabel* ZV1sizeLimitLbl = nullptr;
  ClickLabel* ShowAdvancedSettingsLbl = nullptr;
  QLabel* BatteryInfoLbl = nullptr;
  QLabel* TimefileLbl = nullptr;
  QWidget* AdvancedPanel = nullptr;
  QPushButton* WriteSettingsFileBtn = nullptr;
  QPushButton* CreateClockSetSDBtn = nullptr;
  QPushButton* SetNowBtn = nullptr;
  QPushButton* RestoreDefaultsBtn = nullptr;
  QPushButton* ShowWebTimeBtn = nullptr;

 Q_SIGNALS:
  void Problem(const QString& text);

 private:
  void EditChanged(size_t index, const QString& text);
  void Report(const logger::Problem& problem);

  logger::LoggerSettingsModel model_;
};

}  // namespace zorvel::ui
