// When a recording started, from whichever source it carries. In order of trust: the GUANO
// Timestamp, the comment passive recorders write ("Recorded at 21:04:05 03/09/2024 (UTC+1) …"),
// the bext chunk's origination date and time, a date-time in the file name (YYYYMMDD_HHMMSS,
// anywhere in the name) and, failing all, the file's modification time.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorvel::rec {

enum class TimeSource : uint8_t { Guano, Comment, Bext, FileName, FileDate, ZeroCrossing };

std::string_view TimeSourceName(TimeSource s);

// A wall-clock time, with the UTC offset it was given in when one was written.
struct StampedTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  double second = 0;
  std::optional<int> utcOffsetMinutes;
};

// Whether the fields make a real date and time of day.
bool IsRealTime(const StampedTime& t);

// "2022-08-15 21:34:14+0100", "2024-09-03T20:26:15+01:00", "2019-06-01T22:10:00.125Z",
// "2019-06-01 22:10:00" (no offset), blanks around the parts allowed.
std::optional<StampedTime> ParseTimestamp(std::string_view text);
// "Recorded at HH:MM:SS DD/MM/YYYY (UTC…)" anywhere in the comment.
std::optional<StampedTime> ParseRecorderComment(std::string_view text);
// The bext chunk's "yyyy-mm-dd" (also with ':' '/' '.' or blank separators) and "hh:mm:ss".
std::optional<StampedTime> ParseBextTime(std::string_view date, std::string_view time);
// The first YYYYMMDD_HHMMSS (or YYYYMMDD-HHMMSS, YYYYMMDDTHHMMSS) in a file name that is a
// real date and time.
std::optional<StampedTime> ParseFileNameTime(std::string_view name);

// A UTC offset as the user types it: "+1", "-5", "0", "+5:30", "UTC+1"; minutes east of UTC.
std::optional<int> ParseUtcOffset(std::string_view text);

// Whole seconds since 1899-12-30 00:00 of the wall clock, plus the fraction.
double SecondsSinceEpoch(const StampedTime& t);
StampedTime FromSecondsSinceEpoch(double seconds);

}  // namespace zorvel::rec
