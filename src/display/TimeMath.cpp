#include "display/TimeMath.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/TimeBase.h"

namespace zorvel {
namespace {

// Carries whole minutes out of a tick field only when it is above one minute.
TRecTime Normalise(int64_t mn, int64_t ticks) {
  if (ticks > kTicksPerMinute) {
    mn += ticks / kTicksPerMinute;
    ticks %= kTicksPerMinute;
  }
  return {static_cast<int32_t>(mn), static_cast<int32_t>(ticks)};
}

}  // namespace

TRecTime AddTime(TRecTime a, TRecTime b) {
  const int64_t mn = int64_t{std::max(a.Mn, 0)} + std::max(b.Mn, 0);
  const int64_t ticks = int64_t{std::max(a.FiveMuSec, 0)} + std::max(b.FiveMuSec, 0);
  return Normalise(mn, ticks);
}

TRecTime SubTime(TRecTime a, TRecTime b) {
  const TRecTime na = Normalise(a.Mn, a.FiveMuSec);
  const TRecTime nb = Normalise(b.Mn, b.FiveMuSec);
  int64_t mn = int64_t{na.Mn} - nb.Mn;
  int64_t d = int64_t{na.FiveMuSec} - nb.FiveMuSec;
  if (d < 0) {
    // Borrow as many minutes as |d| needs (one, unless an operand came in above a minute), so
    // the tick field lands in 0 … 11,999,999 and the difference stays exact.
    const int64_t borrow = (-d + kTicksPerMinute - 1) / kTicksPerMinute;
    mn -= borrow;
    d += borrow * kTicksPerMinute;
  }
  return {static_cast<int32_t>(mn), static_cast<int32_t>(d)};
}

TRecTime AddTicks(TRecTime t, int64_t ticks) {
  int64_t total = int64_t{t.FiveMuSec} + ticks;
  int64_t mn = t.Mn + total / kTicksPerMinute;
  total %= kTicksPerMinute;
  if (total < 0) {
    total += kTicksPerMinute;
    --mn;
  }
  return {static_cast<int32_t>(mn), static_cast<int32_t>(total)};
}

std::string ScreenTimeText(TRecTime t) {
  const CivilDateTime d = DateTimeOfMinute(t.Mn);
  return std::to_string(d.year) + "m" + std::to_string(d.month) + "d" + std::to_string(d.day) + " " +
         std::to_string(d.hour) + ":" + std::to_string(d.minute) + " " +
         std::to_string(t.FiveMuSec / kTicksPerSecond) + "s";
}

std::string MinuteAloneText(int32_t mn) {
  std::string text = ShortDateText(mn);
  if (mn % kMinutesPerDay != 0) text += " " + ClockText(mn);
  // A date-time at midnight prints as a date alone; the time is always wanted.
  if (text.find(' ') == std::string::npos) text += " 00:00";
  return text;
}

std::string GoToText(TRecTime t, bool trimZeros, bool leadingQuote) {
  const CivilDateTime d = DateTimeOfMinute(t.Mn);
  const int seconds = t.FiveMuSec / kTicksPerSecond;
  const int micro = (t.FiveMuSec % kTicksPerSecond) * 5;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d.%06d", d.day, d.month, d.year, d.hour,
                d.minute, seconds, micro);
  std::string text = buf;
  if (trimZeros) {
    const size_t dot = text.rfind('.');
    while (text.size() > dot + 2 && text.back() == '0') text.pop_back();
  }
  return leadingQuote ? "'" + text : text;
}

namespace {

// Reads digits up to the separator; false when there are none or something else is in the way.
bool TakeNumber(const std::string& s, size_t& pos, char sep, long& out) {
  const size_t end = sep ? s.find(sep, pos) : s.size();
  const std::string part = s.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
  if (part.empty() || part.size() > 9 ||
      !std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  out = std::strtol(part.c_str(), nullptr, 10);
  pos = end == std::string::npos ? s.size() : end + 1;
  return true;
}

}  // namespace

std::optional<TRecTime> ParseGoToText(const std::string& raw) {
  std::string s = raw;
  while (!s.empty() && (s.back() == ' ' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
  if (!s.empty() && s.front() == '\'') s.erase(0, 1);
  size_t pos = 0;
  long day, month, year, hour, minute;
  if (!TakeNumber(s, pos, '/', day) || !TakeNumber(s, pos, '/', month) || !TakeNumber(s, pos, ' ', year))
    return std::nullopt;
  while (pos < s.size() && s[pos] == ' ') ++pos;
  if (!TakeNumber(s, pos, ':', hour)) return std::nullopt;
  const bool hasSeconds = s.find(':', pos) != std::string::npos;
  if (!TakeNumber(s, pos, hasSeconds ? ':' : '\0', minute)) return std::nullopt;
  double seconds = 0;
  if (hasSeconds) {
    const std::string rest = s.substr(pos);
    if (rest.empty() || rest.find_first_not_of("0123456789.") != std::string::npos) return std::nullopt;
    char* end = nullptr;
    seconds = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str() || *end != '\0' || seconds >= 60) return std::nullopt;
  }
  const auto mn = MinuteNumber(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                               static_cast<int>(hour), static_cast<int>(minute));
  if (!mn) return std::nullopt;
  return TRecTime{*mn, static_cast<int32_t>(std::llround(seconds * kTicksPerSecond))};
}

std::string TranslateMinuteNumber(const std::string& text) {
  if (text.empty() || text.size() > 10) return {};
  char* end = nullptr;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  if (*end != '\0' || v < 0 || v > 100'000'000LL * 1440) return {};
  if (v > INT32_MAX) return {};
  return MinuteAloneText(static_cast<int32_t>(v));
}

}  // namespace zorvel
