// The checks a file's minute span passes before join, crop or a period copy trusts it: header
// minutes that are blank or outside the years a logger can have recorded in are refused (they
// would ask for gigabytes of gap minutes, or arithmetic near the end of the 32-bit range), as
// is a join gap longer than a year, and there must be room on the disk for the file made.
#pragma once

#include <cstdint>
#include <string>

namespace zorvel::fileutils {

// The minute numbers of 1990-01-01 00:00 and of the first minute after 2200.
int32_t FirstPlausibleMinute();
int32_t EndOfPlausibleMinutes();

// Empty when first … last is a span of plausible minutes (first not after last); otherwise the
// message, naming the file and both minutes with their dates.
std::string SpanProblem(const std::string& name, int32_t first, int32_t last);

// Empty when the header's first logged minute is plausible (read before a scan trusts it).
std::string FirstMinuteProblem(const std::string& name, int32_t first);

// A join gap longer than this many minutes (366 days) is refused.
inline constexpr int64_t kLongestJoinGapMinutes = int64_t{366} * 1440;

// Empty when the folder of path has room for bytes more; otherwise the message. freeOverride,
// when not negative, stands in for the disk's free bytes (tests).
std::string SpaceProblem(const std::string& path, int64_t bytes, int64_t freeOverride = -1);

}  // namespace zorvel::fileutils
