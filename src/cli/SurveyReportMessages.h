// The texts of `zorvel-cli survey report`, in one place.
#pragma once

#include <string_view>

namespace zorvel::cli::msg {

inline constexpr std::string_view kReportHelp =
    "Write the survey's report: deployments, species and per-deployment figures, as PDF or one HTML file";
inline constexpr std::string_view kReportPagesOpen = " (";
inline constexpr std::string_view kReportPagesClose = " page(s))";

}  // namespace zorvel::cli::msg
