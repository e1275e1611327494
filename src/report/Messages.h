// Every text the survey report writes, in one place.
#pragma once

#include <string_view>

namespace zorvel::report::msg {

inline constexpr std::string_view kTitle = "Survey report";
inline constexpr std::string_view kSurveyFile = "Survey file: ";
inline constexpr std::string_view kOverview = "Deployments";
inline constexpr std::string_view kSpeciesTable = "Species";
inline constexpr std::string_view kPage = "Page ";
inline constexpr std::string_view kOf = " of ";
inline constexpr std::string_view kNoDeployments = "The survey holds no deployments.";
inline constexpr std::string_view kNamesBy = "Species names were given by the classifier ";
inline constexpr std::string_view kConfidence =
    "; the confidence of a pass's name runs from 0 (a guess) to 15 (certain). ";
inline constexpr std::string_view kMeanConfidence = "Mean confidence of named passes: ";
inline constexpr std::string_view kHighShare = "; named with confidence 12 or more: ";
inline constexpr std::string_view kNoNamedPasses = "No pass was named.";
inline constexpr std::string_view kUnclassed = "(unclassed)";
inline constexpr std::string_view kNoPosition = "no position";
inline constexpr std::string_view kNoSunTimes = "no sun times";

// Table headings.
inline constexpr std::string_view kColLogger = "Logger";
inline constexpr std::string_view kColLocation = "Location";
inline constexpr std::string_view kColPosition = "Position";
inline constexpr std::string_view kColFrom = "From";
inline constexpr std::string_view kColTo = "To";
inline constexpr std::string_view kColNights = "Nights";
inline constexpr std::string_view kColEffort = "Effort (h)";
inline constexpr std::string_view kColSpecies = "Species";
inline constexpr std::string_view kColClassifier = "Classifier";
inline constexpr std::string_view kColPasses = "Passes";
inline constexpr std::string_view kColNightsPresent = "Nights present";
inline constexpr std::string_view kColActivity = "Activity index";
inline constexpr std::string_view kColBuzzShare = "Passes with buzzes";
inline constexpr std::string_view kColNight = "Night";
inline constexpr std::string_view kNightsWord = " night(s)";
inline constexpr std::string_view kEffortNote =
    "Effort: the hours between sunset and sunrise that the logger listened. Activity index: the "
    "one-minute intervals with the species present, summed over nights.";

// Figures.
inline constexpr std::string_view kDeployment = "Deployment: ";
inline constexpr std::string_view kFigNightly = "Passes per night";
inline constexpr std::string_view kFigSeason =
    "Passes by time after sunset (15-minute bins); sunset and sunrise marked";
inline constexpr std::string_view kFigFirstPass = "First pass after sunset (minutes)";
inline constexpr std::string_view kFigEnvironment = "Temperature and light per night";
inline constexpr std::string_view kAxisPasses = "passes";
inline constexpr std::string_view kAxisMinutesAfterSunset = "minutes after sunset";
inline constexpr std::string_view kAxisHoursAfterSunset = "hours after sunset";
inline constexpr std::string_view kAxisNight = "night";
inline constexpr std::string_view kAxisDegC = "\u00b0C";
inline constexpr std::string_view kAxisLight = "light";
inline constexpr std::string_view kSunset = "sunset";
inline constexpr std::string_view kSunrise = "sunrise";
inline constexpr std::string_view kTempRange = "min\u2013max";
inline constexpr std::string_view kTempAtSunset = "at sunset";
inline constexpr std::string_view kMeanLight = "mean light";
inline constexpr std::string_view kNoData = "no data";
inline constexpr std::string_view kOtherSpecies = "others";

// Failures.
inline constexpr std::string_view kUnknownFormat = ": the report is written as .pdf or .html";
inline constexpr std::string_view kCannotRead = ": cannot read the survey: ";
inline constexpr std::string_view kCannotWrite = ": cannot write the report: ";
inline constexpr std::string_view kNoSuchSurvey = "no such file";

}  // namespace zorvel::report::msg
