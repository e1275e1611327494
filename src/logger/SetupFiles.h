// The two files the logger reads from its SD card when it starts: BATSETS.txt (operating
// settings, 24 lines of 8-bit text with CR LF ends) and BATTIME.txt (the clock, one line
// "YY:MM:DD:hh:mm:00" CR LF). Both are written whole or not at all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Host.h"
#include "logger/LoggerSettings.h"

namespace zorvel::logger {

struct BatsetsText {
  bool ok = false;
  std::string bytes;                 // the whole file
  std::vector<std::string> notices;  // shown while writing goes on
  std::string error;                 // why nothing can be written (ok false)
};

// The file's bytes for the settings as they stand (the settings name is not replaced here).
BatsetsText BuildBatsetsText(const LoggerSettings& s);

// The byte of four two-bit lifts; nothing when a lift is not a whole number.
std::optional<int> FrequencyBonus(const LoggerSettings& s);

// The save dialog both writers show.
SaveRequest SettingsSaveRequest();

// Writes BATSETS.txt at path. A settings name still at its default becomes "Created on " +
// todayText first (the page shows the new name). Returns true when the file was written.
bool WriteSettingsFile(LoggerSettings& s, const std::string& path, const std::string& todayText, Host& host);

// A one-character month, day, hour or minute gets a leading "0" (the edits show it).
void PadClockEdits(LoggerSettings& s);
std::string ClockDialogTitle(const LoggerSettings& s);
std::string BattimeBytes(const LoggerSettings& s);
std::string TimefileLblText(const LoggerSettings& s);
// Pads the clock edits first, so the title shows what will be written.
SaveRequest ClockSaveRequest(LoggerSettings& s);

// Pads the clock edits and writes BATTIME.txt at path (nullopt: the dialog was cancelled).
// On success the text for TimefileLbl is returned.
std::optional<std::string> WriteClockFile(LoggerSettings& s, const std::optional<std::string>& path,
                                          Host& host);

}  // namespace zorvel::logger
