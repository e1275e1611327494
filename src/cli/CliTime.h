// Times typed on the command line: a minute number, or a local date and time as
// "YYYY-MM-DD HH:MM" (a 'T' may stand for the blank).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zorvel::cli {

std::optional<int32_t> ParseCliMinute(const std::string& text);

}  // namespace zorvel::cli
