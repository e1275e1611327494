// Moments typed on the command line: "yyyy-mm-dd hh:mm", optionally ":ss" and ".ffffff" after it,
// or a plain minute number (as `dump` prints them).
#pragma once

#include <optional>
#include <string>

#include "core/Records.h"

namespace zorvel::cli {

std::optional<TRecTime> ParseMomentArg(const std::string& text);

}  // namespace zorvel::cli
