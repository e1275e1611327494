// Every text that the logger set-up code shows or writes, in one place.
#pragma once

#include <array>
#include <string_view>

namespace zorvel::logger::msg {

// Default texts of the edits.
inline constexpr std::string_view kDefaultSettingsName = "Your settings name";
inline constexpr std::string_view kCreatedOn = "Created on ";

// The option labels' cycles; the first entry of each is where a new page starts, except the
// high-pass label, which starts at its 40 kHz entry.
inline constexpr std::string_view kHighPassNone = "HighPass:      no filter";
inline constexpr std::string_view kHighPass20 = "HighPass filter      20kHz";
inline constexpr std::string_view kHighPass40 = "HighPass filter      40kHz";
inline constexpr std::string_view kHighPass80 = "HighPass filter      80kHz";
inline constexpr std::array<std::string_view, 4> kHighPassCycle = {kHighPassNone, kHighPass20, kHighPass40,
                                                                   kHighPass80};

inline constexpr std::string_view kDetectionHalf = "DetectionMode half";
inline constexpr std::string_view kDetectionQtr = "DetectionMode qtr";

inline constexpr std::string_view kLightAllLevels = "ON at all light levels";
inline constexpr std::string_view kLightOffHigh = "OFF at high light levels";
inline constexpr std::string_view kLightOffModerate = "OFF when above moderate light";
inline constexpr std::string_view kLightOffMinimal = "OFF when above minimal light";
inline constexpr std::array<std::string_view, 4> kLightCycle = {kLightAllLevels, kLightOffHigh,
                                                                kLightOffModerate, kLightOffMinimal};

inline constexpr std::string_view kMinsContinuous = "Logging continuously";
inline constexpr std::string_view kMins1Off = "1minON, 1MinOff";
inline constexpr std::string_view kMins2Off = "1minON, 2MinOff";
inline constexpr std::string_view kMins4Off = "1minON, 4MinOff";
inline constexpr std::string_view kMins9Off = "1minON, 9MinOff";
inline constexpr std::array<std::string_view, 5> kMinsOffCycle = {kMinsContinuous, kMins1Off, kMins2Off,
                                                                  kMins4Off, kMins9Off};

inline constexpr std::string_view kBatteryNiMH = "NiMH rechargeable batteries";
inline constexpr std::string_view kBatteryAlkaline = "Alkaline batteries";
inline constexpr std::string_view kBatteryLeadAcid = "Lead acid / solar";
inline constexpr std::string_view kBatteryUser = "User voltage setting";
inline constexpr std::array<std::string_view, 4> kBatteryCycle = {kBatteryNiMH, kBatteryAlkaline,
                                                                  kBatteryLeadAcid, kBatteryUser};

inline constexpr std::array<std::string_view, 8> kSizeLimitCycle = {
    "ZV1 file size limit     3GB", "ZV1 file size limit     2GB", "ZV1 file size limit     1GB",
    "ZV1 file size limit     4GB", "ZV1 file size limit     6GB", "ZV1 file size limit     8GB",
    "ZV1 file size limit    16GB", "ZV1 file size limit    32GB"};
inline constexpr std::array<int, 8> kSizeLimitGB = {3, 2, 1, 4, 6, 8, 16, 32};

inline constexpr std::string_view kCodingErrorHighPass = "Coding error in HighPassFilterLblClick";
inline constexpr std::string_view kCodingErrorLight = "Coding error in LightSwitchLblClick";
inline constexpr std::string_view kCodingErrorMinsOff = "Coding error in MinsOffLblClick";
inline constexpr std::string_view kCodingErrorHighPassLine =
    "Coding error in input high pass filter selection";

// BatteryInfoLbl.
inline constexpr std::string_view kInfoNiMH = "(6 NiMH AA cells in each of 1,2 or 3 stacks. 6v)";
inline constexpr std::string_view kInfoAlkaline = "(6 Alkaline AA cells in each of 1,2 or 3 stacks. 7v)";
inline constexpr std::string_view kInfoLeadAcid = "(Car battery, SealedLeadAcid, or Solar + SLA. 11v)";
inline constexpr std::string_view kInfoUser1 = "(your setting: go to advanced settings. ";
inline constexpr std::string_view kInfoUser2 = "v)";
inline constexpr std::string_view kInfoUserChanged = "(your setting: go to advanced settings)";

// IPImaxEdit hint.
inline constexpr std::string_view kIpiHint1 = "Favours logging of wave groups with IPIs below ";
inline constexpr std::string_view kIpiHint2 = " = above ";
inline constexpr std::string_view kIpiHint3 = "kHz";

inline constexpr std::string_view kShowAdvanced = "Show advanced settings";
inline constexpr std::string_view kHideAdvanced = "Hide advanced settings";

// Buttons.
inline constexpr std::string_view kWriteSettingsCaption = "Put these settings on an SD card";
inline constexpr std::string_view kWriteSettingsCaptionAfter = "Put new settings on SD card";
inline constexpr std::string_view kCreateClockCaption = "Create a CLOCK SETTING file on an SD card";
inline constexpr std::string_view kWaitCaption = "wait ...";
inline constexpr std::string_view kSetNowCaption = "now +";
inline constexpr std::string_view kRestoreDefaultsCaption = "restore defaults";

// "Show web time" opens this page, which shows the exact current time.
inline constexpr std::string_view kWebTimeAddress = "https://time.is/";

// Save dialog.
inline constexpr std::string_view kSaveFilter =
    "Zorvel file setting|*.zvf| Zorvel operation settings|BATSETS.txt|All files|*.*";
inline constexpr std::string_view kSettingsDialogTitle = "Save BATSETS.txt file to SD card";
inline constexpr std::string_view kSettingsFileName = "BATSETS.txt";
inline constexpr std::string_view kClockDialogTitle = "Save a file to reset a Zorvel clock to ";
inline constexpr std::string_view kClockFileName = "BATTIME.txt";

// Outcomes.
inline constexpr std::string_view kSettingsNotCreated = "Zorvel settings file: BATSETS.txt  not created";
inline constexpr std::string_view kSettingsCreated = "Zorvel settings file: BATSETS.txt created";
inline constexpr std::string_view kNoFileCreated = "No file created";
inline constexpr std::string_view kClockNotOpened = "BATTIME.txt not opened";
inline constexpr std::string_view kTimefileLbl1 = "BATTIME.txt file created for  ";
// Our own: a lift box whose text is not a whole number stops the writer before anything is written.
inline constexpr std::string_view kLiftNotNumber1 = "Frequency lift '";
inline constexpr std::string_view kLiftNotNumber2 = "' is not a whole number: BATSETS.txt not written";

// Lines of the settings file.
inline constexpr std::string_view kUtcOffset = "utc_offset=";
inline constexpr std::string_view kHighPassLineNone = "high_pass_filter=3; no high pass filter set";
inline constexpr std::string_view kHighPassLine20 = "high_pass_filter=2; 20kHz high pass filter";
inline constexpr std::string_view kHighPassLine40 = "high_pass_filter=1; 40kHz high pass filter";
inline constexpr std::string_view kHighPassLine80 = "high_pass_filter=0; 80kHz high pass filter";
inline constexpr std::string_view kFrequencyBonus = "frequency_bonus=";
inline constexpr std::string_view kLift160 = "; lift >160k ";
inline constexpr std::string_view kLift80 = " >80k ";
inline constexpr std::string_view kLift40 = " >40k ";
inline constexpr std::string_view kLiftBelow40 = " <40k ";
inline constexpr std::string_view kScoreThreshold = "score_threshold=";
inline constexpr std::string_view kShortThreshold = "; short threshold";
inline constexpr std::string_view kTriadThreshold = "triad_score_threshold=";
inline constexpr std::string_view kLongThreshold = "; long threshold";
inline constexpr std::string_view kIpiMaximum = "inter_peak_interval_maximum=";
inline constexpr std::string_view kIpiScore1 = "inter_peak_interval_";
inline constexpr std::string_view kIpiScore2 = "_score=";
inline constexpr std::string_view kEdgeHalf = "peak_track_edge_threshold=0";
inline constexpr std::string_view kEdgeQtr = "peak_track_edge_threshold=64";
inline constexpr std::string_view kDeadband = "deadband_amplitude=";
inline constexpr std::string_view kPeakDeadband = "peak_track_deadband_amplitude=";
inline constexpr std::string_view kNoiseDelay = "delay_before_activating_noise_suppression=";
inline constexpr std::string_view kLightLineHigh = "on_at_light_level=50; OFF at high light levels";
inline constexpr std::string_view kLightLineModerate = "on_at_light_level=6; OFF when above moderate light";
inline constexpr std::string_view kLightLineMinimal = "on_at_light_level=2; OFF when above minimal light";
inline constexpr std::string_view kLightLineAll = "on_at_light_level=255; ON at all light level";
inline constexpr std::string_view kMinsOffLine2 = "minutes_off=2; 1minON, 2MinOff";
inline constexpr std::string_view kMinsOffLine4 = "minutes_off=4; 1minON, 4MinOff";
inline constexpr std::string_view kMinsOffLine9 = "minutes_off=9; 1minON, 9MinOff";
inline constexpr std::string_view kMinsOffLine0 = "minutes_off=0; Logging continuously";
inline constexpr std::string_view kBatteryLineNiMH = "dead_battery_level_hundred_mv=60; 6.0volts";
inline constexpr std::string_view kBatteryLineAlkaline = "dead_battery_level_hundred_mv=70; 7.0volts";
inline constexpr std::string_view kBatteryLineLeadAcid = "dead_battery_level_hundred_mv=110; 11 volts";
inline constexpr std::string_view kBatteryLineUser = "dead_battery_level_hundred_mv=";
inline constexpr std::string_view kMaxFileSizeLine = "max_data_file_size=0; Max file size unlimited";

}  // namespace zorvel::logger::msg
