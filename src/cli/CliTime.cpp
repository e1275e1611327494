#include "cli/CliTime.h"

#include <climits>
#include <cstdio>

#include "core/TimeBase.h"

namespace zorvel::cli {

std::optional<int32_t> ParseCliMinute(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0;
  char sep = 0;
  int used = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c%d:%d%n", &y, &mo, &d, &sep, &h, &mi, &used) == 6 &&
      (sep == ' ' || sep == 'T') && used == static_cast<int>(text.size()))
    return MinuteNumber(y, mo, d, h, mi);
  if (std::sscanf(text.c_str(), "%d-%d-%d%n", &y, &mo, &d, &used) == 3 &&
      used == static_cast<int>(text.size()))
    return MinuteNumber(y, mo, d, 0, 0);
  long long n = 0;
  if (std::sscanf(text.c_str(), "%lld%n", &n, &used) == 1 && used == static_cast<int>(text.size()) &&
      n >= 0 && n <= INT32_MAX)
    return static_cast<int32_t>(n);
  return std::nullopt;
}

}  // namespace zorvel::cli
