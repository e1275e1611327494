#include "core/TimeBase.h"

#include <cstdio>

namespace zorvel {

namespace {
// Days from 1970-01-01 to 1899-12-30.
constexpr int64_t kEpochShift = -25569;

int64_t DaysFromUnixCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t FloorMod(int64_t a, int64_t b) { return a - FloorDiv(a, b) * b; }
}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
  return DaysFromUnixCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kEpochShift;
}

CivilDate CivilFromDays(int64_t days) {
  int64_t z = days + kEpochShift + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= last;
}

std::optional<int32_t> MinuteNumber(int year, int month, int day, int hour, int minute) {
  if (!IsValidDate(year, month, day) || hour < 0 || hour > 23 || minute < 0 || minute > 59) return std::nullopt;
  const int64_t mn = DaysFromCivil(year, month, day) * kMinutesPerDay + hour * 60 + minute;
  if (mn < INT32_MIN || mn > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(mn);
}

CivilDateTime DateTimeOfMinute(int32_t mn) {
  const int64_t days = FloorDiv(mn, kMinutesPerDay);
  const int64_t mod = FloorMod(mn, kMinutesPerDay);
  const CivilDate d = CivilFromDays(days);
  return CivilDateTime{d.year, d.month, d.day, static_cast<int>(mod / 60), static_cast<int>(mod % 60)};
}

std::optional<int> FromBcd(uint8_t b) {
  const int hi = b >> 4, lo = b & 0x0F;
  if (hi > 9 || lo > 9) return std::nullopt;
  return hi * 10 + lo;
}

TRecTime TimeFromBcd(uint8_t year, uint8_t month, uint8_t day, uint8_t hour, uint8_t minute, uint8_t seconds) {
  const auto y = FromBcd(year), mo = FromBcd(month), d = FromBcd(day), h = FromBcd(hour), mi = FromBcd(minute),
             s = FromBcd(seconds);
  if (!y || !mo || !d || !h || !mi || !s || *s > 59) return TRecTime{0, 0};
  const auto mn = MinuteNumber(2000 + *y, *mo, *d, *h, *mi);
  if (!mn) return TRecTime{0, 0};
  return TRecTime{*mn, *s * kTicksPerSecond};
}

std::string MinuteDateTimeText(int32_t mn) {
  const CivilDateTime t = DateTimeOfMinute(mn);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%d", t.year, t.month, t.day, t.hour, t.minute);
  return buf;
}

std::string MinuteFileDateText(int32_t mn) {
  const CivilDateTime t = DateTimeOfMinute(mn);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d %02d %02d", t.year, t.month, t.day);
  return buf;
}

std::string DayManufactureText(int32_t dayNumber) {
  const CivilDate d = CivilFromDays(dayNumber);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d %d %d", d.day, d.month, d.year);
  return buf;
}

std::string MinuteDurationText(int64_t minutes) {
  std::string out;
  if (minutes <= 0) return out;
  const int64_t years = minutes / 525'600;
  int64_t rest = minutes % 525'600;
  const int64_t days = rest / kMinutesPerDay;
  rest %= kMinutesPerDay;
  const int64_t hours = rest / 60;
  const int64_t mins = rest % 60;
  if (years > 0) out += std::to_string(years) + "year ";
  if (days > 0) out += std::to_string(days) + "d ";
  if (hours > 0) out += std::to_string(hours) + "h ";
  if (mins > 0) out += std::to_string(mins) + "m";
  return out;
}

std::string ShortDateText(int32_t mn) {
  const CivilDateTime t = DateTimeOfMinute(mn);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d/%d/%04d", t.day, t.month, t.year);
  return buf;
}

std::string ClockText(int32_t mn) {
  const CivilDateTime t = DateTimeOfMinute(mn);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
  return buf;
}

}  // namespace zorvel
