#include <algorithm>
#include <charconv>

#include "logger/LoggerSettings.h"
#include "logger/Messages.h"

namespace zorvel::logger {

namespace {

// The next text of the cycle, or nothing for a text outside it.
template <size_t N>
std::optional<std::string> NextInCycle(const std::array<std::string_view, N>& cycle,
                                       const std::string& text) {
  const auto it = std::find(cycle.begin(), cycle.end(), text);
  if (it == cycle.end()) return std::nullopt;
  const auto next = std::next(it) == cycle.end() ? cycle.begin() : std::next(it);
  return std::string(*next);
}

template <size_t N>
Problem Advance(const std::array<std::string_view, N>& cycle, std::string& label,
                std::string_view codingError) {
  auto next = NextInCycle(cycle, label);
  if (!next) return std::string(codingError);
  label = *next;
  return std::nullopt;
}

}  // namespace

const std::array<EditSpec, 25>& EditSpecs() {
  using L = LoggerSettings;
  static const std::array<EditSpec, 25> specs = {{
      {"SettingsFileNameEdit", 100, "Your settings name", &L::SettingsFileNameEdit},
      {"UTCoffsetEdit", 3, "0", &L::UTCoffsetEdit},
      {"WaveGroupThreshEdit", 2, "14", &L::WaveGroupThreshEdit},
      {"TriadThresholdEdit", 2, "36", &L::TriadThresholdEdit},
      {"NoiseSuppressionDelayEdit", 3, "60", &L::NoiseSuppressionDelayEdit},
      {"ADC_deadband_amplitudeEdit", 3, "2", &L::ADC_deadband_amplitudeEdit},
      {"Peak_track_deadband_amplitudeEdit", 3, "6", &L::Peak_track_deadband_amplitudeEdit},
      {"Over160kHzEdit", 1, "1", &L::Over160kHzEdit},
      {"under160khzEdit", 1, "2", &L::under160khzEdit},
      {"under80khzEdit", 1, "1", &L::under80khzEdit},
      {"under40khzEdit", 1, "0", &L::under40khzEdit},
      {"IPImaxEdit", 3, "50", &L::IPImaxEdit},
      {"IPI3Edit", 1, "0", nullptr},
      {"IPI4Edit", 1, "1", nullptr},
      {"IPI5Edit", 1, "1", nullptr},
      {"IPI6Edit", 1, "2", nullptr},
      {"IPI7Edit", 1, "3", nullptr},
      {"IPI8Edit", 1, "4", nullptr},
      {"BattSwitchLevelEdit", 5, "45", &L::BattSwitchLevelEdit},
      {"TimeAddonEdit", 2, "2", &L::TimeAddonEdit},
      {"YearEdit", 4, "2015", &L::YearEdit},
      {"MonthEdit", 3, "1", &L::MonthEdit},
      {"DayEdit", 3, "1", &L::DayEdit},
      {"HourEdit", 3, "12", &L::HourEdit},
      {"MinuteEdit", 3, "00", &L::MinuteEdit},
  }};
  return specs;
}

Problem LoggerSettingsModel::HighPassFilterLblClick() {
  return Advance(msg::kHighPassCycle, v_.HighPassFilterLbl, msg::kCodingErrorHighPass);
}

void LoggerSettingsModel::DetectionModeLblClick() {
  v_.DetectionModeLbl =
      std::string(v_.DetectionModeLbl == msg::kDetectionHalf ? msg::kDetectionQtr : msg::kDetectionHalf);
}

Problem LoggerSettingsModel::LightSwitchLblClick() {
  return Advance(msg::kLightCycle, v_.LightSwitchLbl, msg::kCodingErrorLight);
}

Problem LoggerSettingsModel::MinsOffLblClick() {
  return Advance(msg::kMinsOffCycle, v_.MinsOffLbl, msg::kCodingErrorMinsOff);
}

void LoggerSettingsModel::BatteryTypeLblClick() {
  if (auto next = NextInCycle(msg::kBatteryCycle, v_.BatteryTypeLbl)) v_.BatteryTypeLbl = *next;
  batteryInfo_ = BatteryInfoFor(v_.BatteryTypeLbl, v_.BattSwitchLevelEdit);
}

void LoggerSettingsModel::ZV1sizeLimitLblClick() {
  auto next = NextInCycle(msg::kSizeLimitCycle, v_.ZV1sizeLimitLbl);
  if (!next) return;
  v_.ZV1sizeLimitLbl = *next;
  const auto at = std::find(msg::kSizeLimitCycle.begin(), msg::kSizeLimitCycle.end(), *next);
  sizeLimitGB_ = msg::kSizeLimitGB[static_cast<size_t>(at - msg::kSizeLimitCycle.begin())];
}

void LoggerSettingsModel::BattSwitchLevelEditChange() {
  if (v_.BatteryTypeLbl == msg::kBatteryUser) batteryInfo_ = std::string(msg::kInfoUserChanged);
}

std::string LoggerSettingsModel::ShowAdvancedSettingsLbl() const {
  return std::string(advancedShown_ ? msg::kHideAdvanced : msg::kShowAdvanced);
}

std::string LoggerSettingsModel::IPImaxHint() const {
  return IPImaxHintFor(v_.IPImaxEdit);
}

void LoggerSettingsModel::SetNow(const CivilDateTime& now) {
  int addon = 0;
  const auto& t = v_.TimeAddonEdit;
  if (std::from_chars(t.data(), t.data() + t.size(), addon).ec != std::errc{}) addon = 0;
  const auto mn = MinuteNumber(now.year, now.month, now.day, now.hour, now.minute);
  if (!mn) return;
  const CivilDateTime at = DateTimeOfMinute(*mn + addon);
  v_.YearEdit = std::to_string(at.year);
  v_.MonthEdit = std::to_string(at.month);
  v_.DayEdit = std::to_string(at.day);
  v_.HourEdit = std::to_string(at.hour);
  v_.MinuteEdit = std::to_string(at.minute);
}

void LoggerSettingsModel::RestoreDefaults() {
  const LoggerSettings d;
  v_.HighPassFilterLbl = d.HighPassFilterLbl;
  v_.DetectionModeLbl = d.DetectionModeLbl;
  v_.TriadThresholdEdit = d.TriadThresholdEdit;
  v_.WaveGroupThreshEdit = d.WaveGroupThreshEdit;
  v_.NoiseSuppressionDelayEdit = d.NoiseSuppressionDelayEdit;
  v_.Peak_track_deadband_amplitudeEdit = d.Peak_track_deadband_amplitudeEdit;
  v_.ADC_deadband_amplitudeEdit = d.ADC_deadband_amplitudeEdit;
  v_.BattSwitchLevelEdit = d.BattSwitchLevelEdit;
  v_.Over160kHzEdit = d.Over160kHzEdit;
  v_.under160khzEdit = d.under160khzEdit;
  v_.under80khzEdit = d.under80khzEdit;
  v_.under40khzEdit = d.under40khzEdit;
  v_.UTCoffsetEdit = d.UTCoffsetEdit;
  v_.IPImaxEdit = d.IPImaxEdit;
  v_.IPIEdits = d.IPIEdits;
}

std::string IPImaxHintFor(const std::string& ipiMaxText) {
  int value = 0;
  const char* end = ipiMaxText.data() + ipiMaxText.size();
  const auto r = std::from_chars(ipiMaxText.data(), end, value);
  if (r.ec != std::errc{} || r.ptr != end) value = 4000;
  // An IPI of 0 or less has no frequency; it is taken as 1, as the sound renderers do.
  const int khz = 4000 / std::max(value, 1);
  return std::string(msg::kIpiHint1) + ipiMaxText + std::string(msg::kIpiHint2) + std::to_string(khz) +
         std::string(msg::kIpiHint3);
}

std::string BatteryInfoFor(const std::string& batteryType, const std::string& battSwitchLevel) {
  if (batteryType == msg::kBatteryNiMH) return std::string(msg::kInfoNiMH);
  if (batteryType == msg::kBatteryAlkaline) return std::string(msg::kInfoAlkaline);
  if (batteryType == msg::kBatteryLeadAcid) return std::string(msg::kInfoLeadAcid);
  return std::string(msg::kInfoUser1) + battSwitchLevel + std::string(msg::kInfoUser2);
}

}  // namespace zorvel::logger
