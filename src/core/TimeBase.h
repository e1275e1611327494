// Minute numbers: whole minutes since 1899-12-30 00:00 in the logger's local clock, and their
// conversions to and from calendar dates and the texts shown to the user.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Records.h"

namespace zorvel {

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

struct CivilDateTime {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0;
};

// Days since 1899-12-30 for a proleptic Gregorian date (no validation).
int64_t DaysFromCivil(int year, int month, int day);
CivilDate CivilFromDays(int64_t days);

bool IsValidDate(int year, int month, int day);

// Minute number of a date and time; nullopt for an impossible date or time.
std::optional<int32_t> MinuteNumber(int year, int month, int day, int hour, int minute);
CivilDateTime DateTimeOfMinute(int32_t mn);

// Decodes one BCD byte (0x59 -> 59); nullopt when a nibble is above 9.
std::optional<int> FromBcd(uint8_t b);

// A logger date-time as BCD bytes (year - 2000, month, day, hour, minute) and seconds.
// An impossible date gives minute 0 and tick 0.
TRecTime TimeFromBcd(uint8_t year, uint8_t month, uint8_t day, uint8_t hour, uint8_t minute, uint8_t seconds);

// "2026/12/8 9:5": year/month/day hour:minute, numbers not zero-filled.
std::string MinuteDateTimeText(int32_t mn);
// "2026 12 08": for file names, each part at least two digits.
std::string MinuteFileDateText(int32_t mn);
// "8 12 2026": a day number as a date of manufacture, unpadded.
std::string DayManufactureText(int32_t dayNumber);
// "1year 2d 3h 4m"-style duration of a minute count; parts that are zero are left out.
std::string MinuteDurationText(int64_t minutes);

// The program's own date and time formats (independent of the user's locale).
std::string ShortDateText(int32_t mn);  // d/m/yyyy
std::string ClockText(int32_t mn);      // hh:mm

}  // namespace zorvel
