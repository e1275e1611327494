#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "logger/LoggerSettings.h"
#include "logger/Messages.h"
#include "logger/SetupFiles.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel::logger {
namespace {

using zorvel::testing::ReadAll;
using zorvel::testing::RecordingHost;
using zorvel::testing::TempDir;

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  EXPECT_EQ(from, text.size()) << "text after the last CR LF";
  return lines;
}

TEST(BatsetsFile, DefaultsGiveTheListingLineByLine) {
  TempDir dir("batsets_default");
  LoggerSettings s;
  RecordingHost host;
  const std::string path = dir.File("BATSETS.txt");
  ASSERT_TRUE(WriteSettingsFile(s, path, "8/12/2026", host));
  const std::vector<std::string> expected = {
      "Created on 8/12/2026",
      "utc_offset=0",
      "high_pass_filter=1; 40kHz high pass filter",
      "frequency_bonus=100; lift >160k 1 >80k 2 >40k 1 <40k 0",
      "score_threshold=14; short threshold",
      "triad_score_threshold=36; long threshold",
      "inter_peak_interval_maximum=50;",
      "inter_peak_interval_0_score=0",
      "inter_peak_interval_1_score=0",
      "inter_peak_interval_2_score=0",
      "inter_peak_interval_3_score=0;",
      "inter_peak_interval_4_score=1;",
      "inter_peak_interval_5_score=1;",
      "inter_peak_interval_6_score=2;",
      "inter_peak_interval_7_score=3;",
      "inter_peak_interval_8_score=4;",
      "peak_track_edge_threshold=0",
      "deadband_amplitude=2",
      "peak_track_deadband_amplitude=6",
      "delay_before_activating_noise_suppression=60",
      "on_at_light_level=255; ON at all light level",
      "minutes_off=0; Logging continuously",
      "dead_battery_level_hundred_mv=60; 6.0volts",
      "max_data_file_size=0; Max file size unlimited",
  };
  const auto bytes = ReadAll(path);
  const auto lines = SplitCrLf(std::string(bytes.begin(), bytes.end()));
  ASSERT_EQ(lines.size(), 24u);
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
  EXPECT_EQ(s.SettingsFileNameEdit, "Created on 8/12/2026");
  EXPECT_TRUE(host.SaidTimed("Zorvel settings file: BATSETS.txt created"));
}

TEST(BatsetsFile, LiftsArePackedTwoBitsEachAndWrittenAsTyped) {
  LoggerSettings s;
  s.Over160kHzEdit = s.under160khzEdit = s.under80khzEdit = s.under40khzEdit = "3";
  EXPECT_EQ(FrequencyBonus(s), 255);
  s = LoggerSettings{};
  s.Over160kHzEdit = "5";  // counted as 1, written as 5
  s.under160khzEdit = "0";
  s.under80khzEdit = "0";
  s.under40khzEdit = "2";
  const auto text = BuildBatsetsText(s);
  ASSERT_TRUE(text.ok);
  EXPECT_NE(text.bytes.find("frequency_bonus=66; lift >160k 5 >80k 0 >40k 0 <40k 2\r\n"), std::string::npos);
}

TEST(BatsetsFile, OptionLabelsChooseTheirLines) {
  LoggerSettings s;
  s.SettingsFileNameEdit = "Pond survey";
  s.HighPassFilterLbl = std::string(msg::kHighPassNone);
  s.DetectionModeLbl = std::string(msg::kDetectionQtr);
  s.LightSwitchLbl = std::string(msg::kLightOffModerate);
  s.MinsOffLbl = std::string(msg::kMins1Off);
  s.BatteryTypeLbl = std::string(msg::kBatteryUser);
  s.BattSwitchLevelEdit = "52";
  const auto lines = SplitCrLf(BuildBatsetsText(s).bytes);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0], "Pond survey");
  EXPECT_EQ(lines[2], "high_pass_filter=3; no high pass filter set");
  EXPECT_EQ(lines[16], "peak_track_edge_threshold=64");
  EXPECT_EQ(lines[20], "on_at_light_level=6; OFF when above moderate light");
  EXPECT_EQ(lines[21], "minutes_off=0; Logging continuously");
  EXPECT_EQ(lines[22], "dead_battery_level_hundred_mv=52");
}

TEST(BatsetsFile, UnknownHighPassTextLeavesOutItsLineAndSaysSo) {
  LoggerSettings s;
  s.HighPassFilterLbl = "garbled";
  const auto text = BuildBatsetsText(s);
  ASSERT_TRUE(text.ok);
  EXPECT_EQ(SplitCrLf(text.bytes).size(), 23u);
  ASSERT_EQ(text.notices.size(), 1u);
  EXPECT_EQ(text.notices[0], "Coding error in input high pass filter selection");
}

TEST(BatsetsFile, LiftHoldingTextLeavesNothingOnDisk) {
  TempDir dir("batsets_badlift");
  LoggerSettings s;
  s.under80khzEdit = "x";
  RecordingHost host;
  const std::string path = dir.File("BATSETS.txt");
  EXPECT_FALSE(WriteSettingsFile(s, path, "1/1/2026", host));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path())) << "a half-written file was left";
  EXPECT_TRUE(host.SaidTimed("Frequency lift 'x' is not a whole number: BATSETS.txt not written"));
}

TEST(BatsetsFile, UnwritableTargetGivesTheNotCreatedMessage) {
  LoggerSettings s;
  RecordingHost host;
  EXPECT_FALSE(WriteSettingsFile(s, "/nonexistent_zorvel_dir/BATSETS.txt", "1/1/2026", host));
  EXPECT_TRUE(host.SaidTimed("Zorvel settings file: BATSETS.txt  not created"));
}

TEST(BattimeFile, PaddedFieldsGiveNineteenBytes) {
  TempDir dir("battime");
  LoggerSettings s;
  s.YearEdit = "2026";
  s.MonthEdit = "7";
  s.DayEdit = "4";
  s.HourEdit = "9";
  s.MinuteEdit = "5";
  RecordingHost host;
  EXPECT_EQ(ClockSaveRequest(s).title, "Save a file to reset a Zorvel clock to 26:07:04  09:05:00");
  const auto label = WriteClockFile(s, dir.File("BATTIME.txt"), host);
  ASSERT_TRUE(label);
  EXPECT_EQ(*label, "BATTIME.txt file created for  04 : 07 : 2026    09:05");
  const auto bytes = ReadAll(dir.File("BATTIME.txt"));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "26:07:04:09:05:00\r\n");
  EXPECT_EQ(bytes.size(), 19u);
  EXPECT_EQ(s.MonthEdit, "07");
  EXPECT_EQ(s.DayEdit, "04");
  EXPECT_EQ(s.HourEdit, "09");
  EXPECT_EQ(s.MinuteEdit, "05");
}

TEST(BattimeFile, CancelAndUnwritableTarget) {
  LoggerSettings s;
  RecordingHost host;
  EXPECT_FALSE(WriteClockFile(s, std::nullopt, host));
  EXPECT_TRUE(host.SaidTimed("No file created"));
  EXPECT_FALSE(WriteClockFile(s, std::string("/nonexistent_zorvel_dir/BATTIME.txt"), host));
  EXPECT_TRUE(host.SaidTimed("BATTIME.txt not opened"));
}

// Clicks the label as many times as its cycle is long and checks it passes the given texts and
// comes back to where it began.
template <typename Click>
void ExpectCycle(LoggerSettingsModel& m, std::string LoggerSettings::*label,
                 const std::vector<std::string>& texts, Click click) {
  const std::string start = m.Values().*label;
  for (size_t i = 1; i <= texts.size(); ++i) {
    click();
    EXPECT_EQ(m.Values().*label, texts[i % texts.size()]) << "after click " << i;
  }
  EXPECT_EQ(m.Values().*label, start);
}

TEST(OptionLabels, EveryCycleReturnsToItsStart) {
  LoggerSettingsModel m;
  auto strings = [](auto arr) { return std::vector<std::string>(arr.begin(), arr.end()); };
  ExpectCycle(m, &LoggerSettings::MinsOffLbl, strings(msg::kMinsOffCycle),
              [&] { EXPECT_FALSE(m.MinsOffLblClick()); });
  ExpectCycle(m, &LoggerSettings::LightSwitchLbl, strings(msg::kLightCycle),
              [&] { EXPECT_FALSE(m.LightSwitchLblClick()); });
  ExpectCycle(m, &LoggerSettings::BatteryTypeLbl, strings(msg::kBatteryCycle),
              [&] { m.BatteryTypeLblClick(); });
  ExpectCycle(m, &LoggerSettings::ZV1sizeLimitLbl, strings(msg::kSizeLimitCycle),
              [&] { m.ZV1sizeLimitLblClick(); });
  ExpectCycle(m, &LoggerSettings::DetectionModeLbl, {"DetectionMode half", "DetectionMode qtr"},
              [&] { m.DetectionModeLblClick(); });
  // The high-pass label starts at its 40 kHz entry.
  std::vector<std::string> hp = {"HighPass filter      40kHz", "HighPass filter      80kHz",
                                 "HighPass:      no filter", "HighPass filter      20kHz"};
  ExpectCycle(m, &LoggerSettings::HighPassFilterLbl, hp, [&] { EXPECT_FALSE(m.HighPassFilterLblClick()); });
}

TEST(OptionLabels, SizeLimitFollowsTheLabel) {
  LoggerSettingsModel m;
  EXPECT_EQ(m.ZV1SizeLimitGB(), 3);
  std::vector<int> seen;
  for (int i = 0; i < 8; ++i) {
    m.ZV1sizeLimitLblClick();
    seen.push_back(m.ZV1SizeLimitGB());
  }
  EXPECT_EQ(seen, (std::vector<int>{2, 1, 4, 6, 8, 16, 32, 3}));
}

TEST(OptionLabels, TextsOutsideTheCyclesReportCodingErrors) {
  LoggerSettingsModel m;
  m.Values().HighPassFilterLbl = m.Values().LightSwitchLbl = m.Values().MinsOffLbl = "?";
  EXPECT_EQ(m.HighPassFilterLblClick(), "Coding error in HighPassFilterLblClick");
  EXPECT_EQ(m.LightSwitchLblClick(), "Coding error in LightSwitchLblClick");
  EXPECT_EQ(m.MinsOffLblClick(), "Coding error in MinsOffLblClick");
  EXPECT_EQ(m.Values().MinsOffLbl, "?");
  m.Values().DetectionModeLbl = "?";
  m.DetectionModeLblClick();
  EXPECT_EQ(m.Values().DetectionModeLbl, "DetectionMode half");
  m.Values().BatteryTypeLbl = "?";
  m.BatteryTypeLblClick();
  EXPECT_EQ(m.Values().BatteryTypeLbl, "?");
}

TEST(OptionLabels, BatteryInfoFollowsTypeAndLevel) {
  LoggerSettingsModel m;
  std::vector<std::string> infos;
  for (int i = 0; i < 4; ++i) {
    m.BatteryTypeLblClick();
    infos.push_back(m.BatteryInfoLbl());
  }
  EXPECT_EQ(infos[0], "(6 Alkaline AA cells in each of 1,2 or 3 stacks. 7v)");
  EXPECT_EQ(infos[1], "(Car battery, SealedLeadAcid, or Solar + SLA. 11v)");
  EXPECT_EQ(infos[2], "(your setting: go to advanced settings. 45v)");
  EXPECT_EQ(infos[3], "(6 NiMH AA cells in each of 1,2 or 3 stacks. 6v)");
  m.BattSwitchLevelEditChange();
  EXPECT_EQ(m.BatteryInfoLbl(), infos[3]) << "only the user type follows the level";
  m.BatteryTypeLblClick();
  m.BatteryTypeLblClick();
  m.BatteryTypeLblClick();
  m.BattSwitchLevelEditChange();
  EXPECT_EQ(m.BatteryInfoLbl(), "(your setting: go to advanced settings)");
}

TEST(SettingsPage, IpiHintAndAdvancedLabel) {
  EXPECT_EQ(IPImaxHintFor("50"), "Favours logging of wave groups with IPIs below 50 = above 80kHz");
  EXPECT_EQ(IPImaxHintFor("abc"), "Favours logging of wave groups with IPIs below abc = above 1kHz");
  EXPECT_EQ(IPImaxHintFor("0"), "Favours logging of wave groups with IPIs below 0 = above 4000kHz");
  LoggerSettingsModel m;
  EXPECT_EQ(m.ShowAdvancedSettingsLbl(), "Show advanced settings");
  m.ShowAdvancedSettingsLblClick();
  EXPECT_EQ(m.ShowAdvancedSettingsLbl(), "Hide advanced settings");
}

TEST(SettingsPage, NowPlusAddsMinutesAcrossMidnight) {
  LoggerSettingsModel m;
  m.Values().TimeAddonEdit = "2";
  m.SetNow(CivilDateTime{2026, 12, 31, 23, 59});
  const auto& v = m.Values();
  EXPECT_EQ(v.YearEdit + "/" + v.MonthEdit + "/" + v.DayEdit + " " + v.HourEdit + ":" + v.MinuteEdit,
            "2027/1/1 0:1");
}

TEST(SettingsPage, RestoreDefaultsLeavesLightMinutesBatteryNameAndClock) {
  LoggerSettingsModel m;
  auto& v = m.Values();
  v.TriadThresholdEdit = "99";
  v.IPIEdits[5] = "9";
  v.under40khzEdit = "3";
  v.HighPassFilterLbl = std::string(msg::kHighPass80);
  v.DetectionModeLbl = std::string(msg::kDetectionQtr);
  v.LightSwitchLbl = std::string(msg::kLightOffHigh);
  v.MinsOffLbl = std::string(msg::kMins4Off);
  v.SettingsFileNameEdit = "mine";
  v.HourEdit = "7";
  m.RestoreDefaults();
  EXPECT_EQ(v.TriadThresholdEdit, "36");
  EXPECT_EQ(v.IPIEdits[5], "4");
  EXPECT_EQ(v.under40khzEdit, "0");
  EXPECT_EQ(v.HighPassFilterLbl, "HighPass filter      40kHz");
  EXPECT_EQ(v.DetectionModeLbl, "DetectionMode half");
  EXPECT_EQ(v.LightSwitchLbl, "OFF at high light levels");
  EXPECT_EQ(v.MinsOffLbl, "1minON, 4MinOff");
  EXPECT_EQ(v.SettingsFileNameEdit, "mine");
  EXPECT_EQ(v.HourEdit, "7");
}

TEST(SettingsPage, EditSpecsMatchTheDefaults) {
  const LoggerSettings d;
  int bands = 0;
  for (const auto& e : EditSpecs()) {
    EXPECT_GE(static_cast<int>(e.defaultText.size()), 1) << e.name;
    EXPECT_LE(static_cast<int>(e.defaultText.size()), e.maxLength) << e.name;
    if (e.field) {
      EXPECT_EQ(d.*(e.field), e.defaultText) << e.name;
    } else {
      EXPECT_EQ(d.IPIEdits[bands++], e.defaultText) << e.name;
    }
  }
  EXPECT_EQ(bands, 6);
}

}  // namespace
}  // namespace zorvel::logger
