#include "fileutils/SpanCheck.h"

#include <filesystem>

#include "core/Header.h"
#include "core/TimeBase.h"
#include "fileutils/Messages.h"

namespace zorvel::fileutils {

namespace {
std::string MinuteText(int32_t mn) {
  return std::to_string(mn) + " (" + MinuteDateTimeText(mn) + ")";
}

bool Plausible(int32_t mn) {
  return mn >= FirstPlausibleMinute() && mn < EndOfPlausibleMinutes();
}

std::string Megabytes(int64_t bytes) {
  return std::to_string((bytes + 999'999) / 1'000'000) + " MB";
}
}  // namespace

int32_t FirstPlausibleMinute() {
  return *MinuteNumber(1990, 1, 1, 0, 0);
}
// The same last year as a file may hold to be opened at all.
int32_t EndOfPlausibleMinutes() { return kLastPlausibleMinute + 1; }

std::string SpanProblem(const std::string& name, int32_t first, int32_t last) {
  if (Plausible(first) && Plausible(last) && first <= last) return {};
  return name + std::string(msg::kImplausibleSpan) + MinuteText(first) + std::string(msg::kSpanTo) +
         MinuteText(last) + std::string(msg::kPlausibleYears);
}

std::string FirstMinuteProblem(const std::string& name, int32_t first) {
  if (Plausible(first)) return {};
  return name + std::string(msg::kImplausibleFirst) + MinuteText(first) + std::string(msg::kPlausibleYears);
}

std::string SpaceProblem(const std::string& path, int64_t bytes, int64_t freeOverride) {
  int64_t available = freeOverride;
  if (available < 0) {
    std::error_code ec;
    const auto dir = std::filesystem::absolute(path, ec).parent_path();
    const auto info = std::filesystem::space(dir, ec);
    if (ec) return {};  // the write itself will then say what is wrong
    available = static_cast<int64_t>(info.available);
  }
  if (bytes <= available) return {};
  return std::string(msg::kNoRoom) + path + ": " + Megabytes(bytes) + std::string(msg::kNeeded) +
         Megabytes(available) + std::string(msg::kFree);
}

}  // namespace zorvel::fileutils
