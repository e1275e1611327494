#include "cli/TimeArg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/TimeBase.h"

namespace zorvel::cli {

std::optional<TRecTime> ParseMomentArg(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, consumed = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d%n", &y, &mo, &d, &h, &mi, &consumed) == 5) {
    const auto mn = MinuteNumber(y, mo, d, h, mi);
    if (!mn) return std::nullopt;
    double seconds = 0;
    const std::string rest = text.substr(static_cast<size_t>(consumed));
    if (!rest.empty()) {
      int used = 0;
      if (rest[0] != ':' || std::sscanf(rest.c_str() + 1, "%lf%n", &seconds, &used) != 1 ||
          static_cast<size_t>(used) + 1 != rest.size() || seconds < 0 || seconds >= 60)
        return std::nullopt;
    }
    // Seconds just below 60 must not round up into the next minute's first tick.
    const int64_t ticks = std::min<int64_t>(std::llround(seconds * kTicksPerSecond), kTicksPerMinute - 1);
    return TRecTime{*mn, static_cast<int32_t>(ticks)};
  }
  int32_t minute = 0;
  if (std::sscanf(text.c_str(), "%d%n", &minute, &consumed) == 1 &&
      static_cast<size_t>(consumed) == text.size() && minute > 0)
    return TRecTime{minute, 0};
  return std::nullopt;
}

}  // namespace zorvel::cli
