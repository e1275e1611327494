// The texts of `zorvel-cli survey …`, in one place.
#pragma once

#include <string_view>

#include "survey/Messages.h"

namespace zorvel::cli::msg {

inline constexpr std::string_view kSurveyGroupHelp =
    "Surveys: every deployment, night, pass and species-night of a season in one SQLite file";
inline constexpr std::string_view kSurveyZv1NeedsFindCalls =
    "a ZV1 file holds no calls; give --find-calls to find them first (its ZV2 file is made beside it)";
inline constexpr std::string_view kSurveyNoInputs = "no ZV1, ZV2 or ZV3 files found in the inputs given";
inline constexpr std::string_view kSurveyAdded = "added: ";
inline constexpr std::string_view kSurveyReplaced = "replaced: ";
inline constexpr std::string_view kSurveySkipped = "skipped: ";
inline constexpr std::string_view kSurveyNightsWord = survey::msg::kNightsWord;
inline constexpr std::string_view kSurveyWarning = "warning: ";
inline constexpr std::string_view kSurveySummaryStart = "survey ";
inline constexpr std::string_view kSurveyExportedTo = " rows exported to ";
inline constexpr std::string_view kSurveyUnknownTable =
    "--table must be deployments, nights, passes or species-nights";
inline constexpr std::string_view kSurveyOutNotWritten = ": not written: ";

}  // namespace zorvel::cli::msg
