// The logger's operating settings and clock time as the Settings page holds them: every value is
// the text its control shows (the logger reads them back as text), and the option labels carry
// their state in their texts. The page binds its controls to a LoggerSettingsModel.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/TimeBase.h"

namespace zorvel::logger {

struct LoggerSettings {
  std::string SettingsFileNameEdit = "Your settings name";
  std::string UTCoffsetEdit = "0";
  std::string WaveGroupThreshEdit = "14";
  std::string TriadThresholdEdit = "36";
  std::string NoiseSuppressionDelayEdit = "60";
  std::string ADC_deadband_amplitudeEdit = "2";
  std::string Peak_track_deadband_amplitudeEdit = "6";
  std::string Over160kHzEdit = "1";
  std::string under160khzEdit = "2";
  std::string under80khzEdit = "1";
  std::string under40khzEdit = "0";
  std::string IPImaxEdit = "50";
  std::array<std::string, 6> IPIEdits = {"0", "1", "1", "2", "3", "4"};  // IPI3Edit … IPI8Edit
  std::string BattSwitchLevelEdit = "45";
  std::string TimeAddonEdit = "2";
  std::string YearEdit = "2015";
  std::string MonthEdit = "1";
  std::string DayEdit = "1";
  std::string HourEdit = "12";
  std::string MinuteEdit = "00";

  std::string HighPassFilterLbl = "HighPass filter      40kHz";
  std::string DetectionModeLbl = "DetectionMode half";
  std::string LightSwitchLbl = "ON at all light levels";
  std::string MinsOffLbl = "Logging continuously";
  std::string BatteryTypeLbl = "NiMH rechargeable batteries";
  std::string ZV1sizeLimitLbl = "ZV1 file size limit     3GB";
};

// Every edit of the page with its maximum length and default text, for the page to set up its
// controls and for checks of typed values.
struct EditSpec {
  std::string_view name;
  int maxLength;
  std::string_view defaultText;
  std::string LoggerSettings::*field;  // nullptr for the band edits, which live in IPIEdits
};
const std::array<EditSpec, 25>& EditSpecs();

// Why an action could not finish: the text to show, or nothing when all went well.
using Problem = std::optional<std::string>;

class LoggerSettingsModel {
 public:
  LoggerSettings& Values() { return v_; }
  const LoggerSettings& Values() const { return v_; }

  // The cycling labels: each click moves to the next text. A text outside the cycle is left as
  // it is, and the returned text (a "Coding error in …" message) is for a message box.
  Problem HighPassFilterLblClick();
  void DetectionModeLblClick();
  Problem LightSwitchLblClick();
  Problem MinsOffLblClick();
  void BatteryTypeLblClick();
  void ZV1sizeLimitLblClick();

  // Follows BattSwitchLevelEdit: the info text changes while the user type is chosen.
  void BattSwitchLevelEditChange();
  const std::string& BatteryInfoLbl() const { return batteryInfo_; }
  // The size limit the SD card import starts a new ZV1 file at, in gigabytes.
  int ZV1SizeLimitGB() const { return sizeLimitGB_; }

  bool AdvancedShown() const { return advancedShown_; }
  void ShowAdvancedSettingsLblClick() { advancedShown_ = !advancedShown_; }
  std::string ShowAdvancedSettingsLbl() const;

  std::string IPImaxHint() const;

  // "now +": the moment plus TimeAddonEdit minutes into the clock edits, without leading zeros.
  void SetNow(const CivilDateTime& now);
  // "restore defaults": the detection settings back to their defaults; the light switch,
  // minutes off, battery type, settings name and clock are left alone.
  void RestoreDefaults();

 private:
  LoggerSettings v_;
  std::string batteryInfo_ = "(6 NiMH AA cells in each of 1,2 or 3 stacks. 6v)";
  int sizeLimitGB_ = 3;
  bool advancedShown_ = false;
};

// "Favours logging of wave groups with IPIs below 50 = above 80kHz".
std::string IPImaxHintFor(const std::string& ipiMaxText);
std::string BatteryInfoFor(const std::string& batteryType, const std::string& battSwitchLevel);

}  // namespace zorvel::logger
