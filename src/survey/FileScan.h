// What one data file contributes to a survey, read in one pass over its records: who made it
// and where, its nights' partial sums (a night may span several files), and its passes minute
// by minute (joined across minute and file boundaries when the public tables are derived).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Host.h"

namespace zorvel::survey {

struct FileIdentity {
  int64_t logger = 0;
  int32_t firstMinute = 0, lastMinute = 0;
  std::string classifier;
  std::string contentHash;  // 16 hex digits of the whole file's XXH3-64
  std::string name;         // the file's name without folder
  int64_t bytes = 0;
  std::string location;
  std::optional<double> latitude, longitude;
  std::optional<int64_t> utcOffsetMin;
  bool HasSunTimes() const { return latitude && longitude && utcOffsetMin; }
};

// One night's sums over the minutes of this file (the night runs noon to noon).
struct NightPart {
  int64_t day = 0;  // days since 1899-12-30 of the night's evening
  int64_t loggedMinutes = 0, listenedMinutes = 0, lightSum = 0;
  std::optional<int64_t> effortMinutes;  // listened minutes between sunset and sunrise
  std::optional<double> tempSunset, tempMin, tempMax;
};

// One pass within one minute, as species/Passes.h groups a minute's calls.
struct MinutePass {
  double start = 0, end = 0;  // minute numbers with the fraction of the minute
  std::string species;        // the classifier's name; "" for unclassed
  int64_t confidence = 0, calls = 0, buzzCalls = 0;
  double medianPeakKHz = 0;
};

struct FileFacts {
  FileIdentity id;
  std::vector<NightPart> nights;
  std::vector<MinutePass> passes;
};

struct ScanResult {
  bool ok = false;
  bool stopped = false;
  std::string message;  // why the file could not be read
  FileFacts facts;
};

// The evening's day of the night holding a minute.
int64_t NightDayOfMinute(double minute);
// "yyyy-mm-dd" of a day number.
std::string DayText(int64_t day);

// The UTC offset typed into a header ("+1", "-5", "5.5", "0"), in minutes; nullopt when empty or
// not a number of hours between -14 and +14.
std::optional<int64_t> ParseUtcOffsetMinutes(const std::string& text);

// Reads a ZV2 or ZV3 file. The data file is only read.
ScanResult ScanFile(const std::string& path, Host& host);

}  // namespace zorvel::survey
