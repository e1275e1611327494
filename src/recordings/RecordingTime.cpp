#include "recordings/RecordingTime.h"

#include <cctype>
#include <cmath>

#include "core/TimeBase.h"
#include "recordings/Messages.h"

namespace zorvel::rec {

namespace {

// A small cursor over the text for the fixed layouts below.
struct Scan {
  std::string_view s;
  size_t i = 0;
  void Blanks() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  }
  bool Digits(int n, int& out) {
    if (i + static_cast<size_t>(n) > s.size()) return false;
    int v = 0;
    for (int k = 0; k < n; ++k) {
      const char c = s[i + static_cast<size_t>(k)];
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
      v = v * 10 + (c - '0');
    }
    i += static_cast<size_t>(n);
    out = v;
    return true;
  }
  // One or two digits.
  bool Small(int& out) {
    if (!Digits(1, out)) return false;
    int d;
    if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && Digits(1, d)) out = out * 10 + d;
    return true;
  }
  bool Char(char c) {
    if (i < s.size() && s[i] == c) {
      ++i;
      return true;
    }
    return false;
  }
  bool AnyOf(std::string_view set) {
    if (i < s.size() && set.find(s[i]) != std::string_view::npos) {
      ++i;
      return true;
    }
    return false;
  }
};

}  // namespace

bool IsRealTime(const StampedTime& t) {
  return IsValidDate(t.year, t.month, t.day) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 &&
         t.second >= 0 && t.second < 61;
}

namespace {

// "Z", "+01", "+0100", "+01:00", "-5", "UTC+1", "UTC+5:30"; nothing when absent or malformed.
std::optional<int> Offset(Scan& c) {
  c.Blanks();
  if (c.Char('Z') || c.Char('z')) return 0;
  const bool plus = c.i < c.s.size() && c.s[c.i] == '+';
  if (!c.AnyOf("+-")) return std::nullopt;
  int h = 0, m = 0;
  if (!c.Small(h)) return std::nullopt;
  if (c.Char(':')) {
    if (!c.Digits(2, m)) return std::nullopt;
  } else if (h >= 10 || c.i < c.s.size()) {
    // "+0100": the second pair of digits are minutes.
    Scan probe = c;
    int mm;
    if (probe.Digits(2, mm)) {
      m = mm;
      c = probe;
    }
  }
  if (h > 14 || m > 59) return std::nullopt;
  return (plus ? 1 : -1) * (h * 60 + m);
}

}  // namespace

std::string_view TimeSourceName(TimeSource s) {
  switch (s) {
    case TimeSource::Guano: return msg::rec::kSourceGuano;
    case TimeSource::Comment: return msg::rec::kSourceComment;
    case TimeSource::Bext: return msg::rec::kSourceBext;
    case TimeSource::FileName: return msg::rec::kSourceFileName;
    case TimeSource::FileDate: return msg::rec::kSourceFileDate;
    case TimeSource::ZeroCrossing: return msg::rec::kSourceZeroCrossing;
  }
  return {};
}

std::optional<StampedTime> ParseTimestamp(std::string_view text) {
  Scan c{text};
  StampedTime t;
  int sec = 0;
  c.Blanks();
  if (!c.Digits(4, t.year) || !c.AnyOf("-:/") || !c.Small(t.month) || !c.AnyOf("-:/") || !c.Small(t.day))
    return std::nullopt;
  if (!c.AnyOf("T ")) return std::nullopt;
  c.Blanks();
  if (!c.Small(t.hour) || !c.Char(':') || !c.Digits(2, t.minute) || !c.Char(':') || !c.Digits(2, sec))
    return std::nullopt;
  t.second = sec;
  if (c.Char('.') || c.Char(',')) {
    double scale = 0.1;
    while (c.i < c.s.size() && std::isdigit(static_cast<unsigned char>(c.s[c.i]))) {
      t.second += scale * (c.s[c.i++] - '0');
      scale /= 10;
    }
  }
  t.utcOffsetMinutes = Offset(c);
  if (!IsRealTime(t)) return std::nullopt;
  return t;
}

std::optional<StampedTime> ParseRecorderComment(std::string_view text) {
  const size_t at = text.find("Recorded at ");
  if (at == std::string_view::npos) return std::nullopt;
  Scan c{text, at + 12};
  StampedTime t;
  int sec = 0;
  if (!c.Small(t.hour) || !c.Char(':') || !c.Digits(2, t.minute) || !c.Char(':') || !c.Digits(2, sec)) return std::nullopt;
  t.second = sec;
  c.Blanks();
  if (!c.Small(t.day) || !c.Char('/') || !c.Small(t.month) || !c.Char('/') || !c.Digits(4, t.year)) return std::nullopt;
  c.Blanks();
  if (c.Char('(') && c.s.substr(c.i, 3) == "UTC") {
    c.i += 3;
    const size_t save = c.i;
    const auto off = Offset(c);
    t.utcOffsetMinutes = off ? *off : 0;
    if (!off) c.i = save;
  }
  if (!IsRealTime(t)) return std::nullopt;
  return t;
}

std::optional<StampedTime> ParseBextTime(std::string_view date, std::string_view time) {
  Scan d{date}, h{time};
  StampedTime t;
  int sec = 0;
  if (!d.Digits(4, t.year) || !d.AnyOf("-:/. ") || !d.Digits(2, t.month) || !d.AnyOf("-:/. ") || !d.Digits(2, t.day))
    return std::nullopt;
  if (!h.Digits(2, t.hour) || !h.AnyOf(":-. ") || !h.Digits(2, t.minute) || !h.AnyOf(":-. ") || !h.Digits(2, sec))
    return std::nullopt;
  t.second = sec;
  if (!IsRealTime(t)) return std::nullopt;
  return t;
}

std::optional<StampedTime> ParseFileNameTime(std::string_view name) {
  for (size_t i = 0; i + 15 <= name.size(); ++i) {
    // Not in the middle of a longer run of digits.
    if (i > 0 && std::isdigit(static_cast<unsigned char>(name[i - 1]))) continue;
    Scan c{name, i};
    StampedTime t;
    int sec = 0;
    if (!c.Digits(4, t.year) || !c.Digits(2, t.month) || !c.Digits(2, t.day) || !c.AnyOf("_-T") ||
        !c.Digits(2, t.hour) || !c.Digits(2, t.minute) || !c.Digits(2, sec))
      continue;
    if (c.i < name.size() && std::isdigit(static_cast<unsigned char>(name[c.i]))) continue;
    t.second = sec;
    if (t.year >= 1990 && IsRealTime(t)) return t;
  }
  return std::nullopt;
}

std::optional<int> ParseUtcOffset(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.substr(0, 3) == "UTC" || text.substr(0, 3) == "GMT") text.remove_prefix(3);
  if (text.empty()) return std::nullopt;
  if (text.front() != '+' && text.front() != '-') {
    // An unsigned offset is east of UTC.
    Scan c{text};
    int h = 0, m = 0;
    if (!c.Small(h) || (c.Char(':') && !c.Digits(2, m)) || c.i != text.size() || h > 14 || m > 59) return std::nullopt;
    return h * 60 + m;
  }
  Scan c{text};
  const auto off = Offset(c);
  if (!off || c.i != text.size()) return std::nullopt;
  return off;
}

double SecondsSinceEpoch(const StampedTime& t) {
  const int64_t days = DaysFromCivil(t.year, t.month, t.day);
  return static_cast<double>(days * 86400 + t.hour * 3600 + t.minute * 60) + t.second;
}

StampedTime FromSecondsSinceEpoch(double seconds) {
  const double whole = std::floor(seconds);
  const auto s = static_cast<int64_t>(whole);
  const int64_t days = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
  const int64_t rest = s - days * 86400;
  const CivilDate d = CivilFromDays(days);
  StampedTime t;
  t.year = d.year;
  t.month = d.month;
  t.day = d.day;
  t.hour = static_cast<int>(rest / 3600);
  t.minute = static_cast<int>(rest / 60 % 60);
  t.second = static_cast<double>(rest % 60) + (seconds - whole);
  return t;
}

}  // namespace zorvel::rec
