#include "logger/SetupFiles.h"

#include <charconv>

#include "core/AtomicFile.h"
#include "logger/Messages.h"

namespace zorvel::logger {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr int kErrorMessageMs = 5000;

std::optional<int> ParseInt(const std::string& text) {
  int v = 0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (begin != end && *begin == '+') ++begin;
  const auto r = std::from_chars(begin, end, v);
  if (r.ec != std::errc{} || r.ptr != end || begin == end) return std::nullopt;
  return v;
}

std::string_view HighPassLine(const std::string& label) {
  if (label == msg::kHighPassNone) return msg::kHighPassLineNone;
  if (label == msg::kHighPass20) return msg::kHighPassLine20;
  if (label == msg::kHighPass40) return msg::kHighPassLine40;
  if (label == msg::kHighPass80) return msg::kHighPassLine80;
  return {};
}

std::string_view LightLine(const std::string& label) {
  if (label == msg::kLightOffHigh) return msg::kLightLineHigh;
  if (label == msg::kLightOffModerate) return msg::kLightLineModerate;
  if (label == msg::kLightOffMinimal) return msg::kLightLineMinimal;
  if (label == msg::kLightAllLevels) return msg::kLightLineAll;
  return {};
}

// "1minON, 1MinOff" has no code of its own in the logger's file, so it logs continuously.
std::string_view MinsOffLine(const std::string& label) {
  if (label == msg::kMins2Off) return msg::kMinsOffLine2;
  if (label == msg::kMins4Off) return msg::kMinsOffLine4;
  if (label == msg::kMins9Off) return msg::kMinsOffLine9;
  return msg::kMinsOffLine0;
}

std::string BatteryLine(const LoggerSettings& s) {
  if (s.BatteryTypeLbl == msg::kBatteryNiMH) return std::string(msg::kBatteryLineNiMH);
  if (s.BatteryTypeLbl == msg::kBatteryAlkaline) return std::string(msg::kBatteryLineAlkaline);
  if (s.BatteryTypeLbl == msg::kBatteryLeadAcid) return std::string(msg::kBatteryLineLeadAcid);
  return std::string(msg::kBatteryLineUser) + s.BattSwitchLevelEdit;
}

std::string LastTwo(const std::string& t) {
  return t.size() <= 2 ? t : t.substr(t.size() - 2);
}

}  // namespace

std::optional<int> FrequencyBonus(const LoggerSettings& s) {
  int bonus = 0;
  for (const std::string* lift :
       {&s.Over160kHzEdit, &s.under160khzEdit, &s.under80khzEdit, &s.under40khzEdit}) {
    const auto v = ParseInt(*lift);
    if (!v) return std::nullopt;
    bonus = (bonus << 2) | (((*v % 4) + 4) % 4);
  }
  return bonus;
}

BatsetsText BuildBatsetsText(const LoggerSettings& s) {
  BatsetsText out;
  std::string& t = out.bytes;
  auto line = [&t](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    t.append(a).append(b).append(c).append(kCrLf);
  };
  line(s.SettingsFileNameEdit);
  line(msg::kUtcOffset, s.UTCoffsetEdit);
  if (const auto hp = HighPassLine(s.HighPassFilterLbl); !hp.empty()) {
    line(hp);
  } else {
    out.notices.emplace_back(msg::kCodingErrorHighPassLine);
  }
  const auto bonus = FrequencyBonus(s);
  if (!bonus) {
    for (const std::string* lift :
         {&s.Over160kHzEdit, &s.under160khzEdit, &s.under80khzEdit, &s.under40khzEdit}) {
      if (!ParseInt(*lift)) {
        out.error = std::string(msg::kLiftNotNumber1) + *lift + std::string(msg::kLiftNotNumber2);
        break;
      }
    }
    t.clear();
    return out;
  }
  t.append(msg::kFrequencyBonus)
      .append(std::to_string(*bonus))
      .append(msg::kLift160)
      .append(s.Over160kHzEdit);
  t.append(msg::kLift80).append(s.under160khzEdit).append(msg::kLift40).append(s.under80khzEdit);
  t.append(msg::kLiftBelow40).append(s.under40khzEdit).append(kCrLf);
  line(msg::kScoreThreshold, s.WaveGroupThreshEdit, msg::kShortThreshold);
  line(msg::kTriadThreshold, s.TriadThresholdEdit, msg::kLongThreshold);
  line(msg::kIpiMaximum, s.IPImaxEdit, ";");
  for (int k = 0; k <= 2; ++k) line(msg::kIpiScore1, std::to_string(k), std::string(msg::kIpiScore2) + "0");
  for (int k = 3; k <= 8; ++k)
    line(msg::kIpiScore1, std::to_string(k), std::string(msg::kIpiScore2) + s.IPIEdits[k - 3] + ";");
  line(s.DetectionModeLbl == msg::kDetectionHalf ? msg::kEdgeHalf : msg::kEdgeQtr);
  line(msg::kDeadband, s.ADC_deadband_amplitudeEdit);
  line(msg::kPeakDeadband, s.Peak_track_deadband_amplitudeEdit);
  line(msg::kNoiseDelay, s.NoiseSuppressionDelayEdit);
  if (const auto light = LightLine(s.LightSwitchLbl); !light.empty()) line(light);
  line(MinsOffLine(s.MinsOffLbl));
  line(BatteryLine(s));
  line(msg::kMaxFileSizeLine);
  out.ok = true;
  return out;
}

SaveRequest SettingsSaveRequest() {
  return {std::string(msg::kSettingsDialogTitle), std::string(msg::kSettingsFileName),
          std::string(msg::kSaveFilter)};
}

bool WriteSettingsFile(LoggerSettings& s, const std::string& path, const std::string& todayText, Host& host) {
  AtomicFileWriter out(path);
  if (!out.IsOpen()) {
    host.TimedMessage(msg::kSettingsNotCreated, kErrorMessageMs);
    return false;
  }
  if (s.SettingsFileNameEdit == msg::kDefaultSettingsName)
    s.SettingsFileNameEdit = std::string(msg::kCreatedOn) + todayText;
  const BatsetsText text = BuildBatsetsText(s);
  for (const auto& n : text.notices) host.TimedMessage(n, kErrorMessageMs);
  if (!text.ok) {
    // Nothing reaches the card: the writer's temporary file goes with it.
    host.TimedMessage(text.error, kErrorMessageMs);
    return false;
  }
  if (!out.Write(text.bytes.data(), text.bytes.size()) || !out.Commit()) {
    host.TimedMessage(msg::kSettingsNotCreated, kErrorMessageMs);
    return false;
  }
  host.TimedMessage(msg::kSettingsCreated, 2000);
  return true;
}

void PadClockEdits(LoggerSettings& s) {
  for (std::string* f : {&s.MonthEdit, &s.DayEdit, &s.HourEdit, &s.MinuteEdit})
    if (f->size() == 1) f->insert(0, "0");
}

std::string ClockDialogTitle(const LoggerSettings& s) {
  return std::string(msg::kClockDialogTitle) + LastTwo(s.YearEdit) + ":" + s.MonthEdit + ":" + s.DayEdit +
         "  " + s.HourEdit + ":" + s.MinuteEdit + ":00";
}

std::string BattimeBytes(const LoggerSettings& s) {
  return LastTwo(s.YearEdit) + ":" + s.MonthEdit + ":" + s.DayEdit + ":" + s.HourEdit + ":" + s.MinuteEdit +
         ":00" + std::string(kCrLf);
}

std::string TimefileLblText(const LoggerSettings& s) {
  return std::string(msg::kTimefileLbl1) + s.DayEdit + " : " + s.MonthEdit + " : 20" + LastTwo(s.YearEdit) +
         "    " + s.HourEdit + ":" + s.MinuteEdit;
}

SaveRequest ClockSaveRequest(LoggerSettings& s) {
  PadClockEdits(s);
  return {ClockDialogTitle(s), std::string(msg::kClockFileName), std::string(msg::kSaveFilter)};
}

std::optional<std::string> WriteClockFile(LoggerSettings& s, const std::optional<std::string>& path,
                                          Host& host) {
  PadClockEdits(s);
  if (!path) {
    host.TimedMessage(msg::kNoFileCreated, kErrorMessageMs);
    return std::nullopt;
  }
  const std::string bytes = BattimeBytes(s);
  std::string error;
  if (!WriteWholeFile(*path, bytes.data(), bytes.size(), &error)) {
    host.TimedMessage(msg::kClockNotOpened, kErrorMessageMs);
    return std::nullopt;
  }
  return TimefileLblText(s);
}

}  // namespace zorvel::logger
