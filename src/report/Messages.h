// Every text the survey report writes, in one place. Words it shares with the survey listing or
// the command line live in the lowest folder that says them and are named here too.
#pragma once

#include <string_view>

#include "core/Messages.h"
#include "survey/Messages.h"

namespace zorvel::report::msg {

inline constexpr std::string_view kTitle = "Survey report";
inline constexpr std::string_view kSurveyFile = "Survey file: ";
inline constexpr std::string_view kOverview = "Deployments";
inline constexpr std::string_view kSpeciesTable = "Species";
inline constexpr std::string_view kPage = "Page ";
inline constexpr std::string_view kOf = zorvel::msg::kOfFiles;
inline constexpr std::string_view kNoDeployments = "The survey holds no deployments.";
inline constexpr std::string_view kNamesBy = "Species names were given by the classifier ";
inline constexpr std::string_view kConfidence =
    "; the confidence of a pass's name runs from 0 (a guess) to 15 (certain). ";
inline constexpr std::string_view kMeanConfidence = "Mean confidence of named passes: ";
inline constexpr std::string_view kHighShare = "; named with confidence 12 or more: ";
inline constexpr std::string_view kNoNamedPasses = "No pass was named.";
inline constexpr std::string_view kUnclassed = "(unclassed)";
inline constexpr std::string_view kNoPosition = survey::msg::kNoPosition;
inline constexpr std::string_view kNoSunTimes = "no sun times";
// "British0, ZorvelEU1 and X"; "?" for a classifier or location left empty.
inline constexpr std::string_view kListComma = ", ";
inline constexpr std::string_view kListAnd = " and ";
inline constexpr std::string_view kUnknownName = "?";
// "Deployment: Pond — Logger 1234 (British0)"; "from – to · position · …".
inline constexpr std::string_view kTitleDash = " \u2014 ";
inline constexpr std::string_view kRangeDash = " \u2013 ";
inline constexpr std::string_view kLineDot = " \u00b7 ";
inline constexpr std::string_view kPercentSign = " %";
// The PDF's creator field.
inline constexpr std::string_view kCreator = "Zorvel";

// Table headings.
inline constexpr std::string_view kColLogger = "Logger";
inline constexpr std::string_view kColLocation = "Location";
inline constexpr std::string_view kColPosition = "Position";
inline constexpr std::string_view kColFrom = "From";
inline constexpr std::string_view kColTo = "To";
inline constexpr std::string_view kColNights = "Nights";
inline constexpr std::string_view kColEffort = "Effort (h)";
inline constexpr std::string_view kColSpecies = kSpeciesTable;
inline constexpr std::string_view kColClassifier = "Classifier";
inline constexpr std::string_view kColPasses = "Passes";
inline constexpr std::string_view kColNightsPresent = "Nights present";
inline constexpr std::string_view kColActivity = "Activity index";
inline constexpr std::string_view kColBuzzShare = "Passes with buzzes";
inline constexpr std::string_view kColNight = "Night";
inline constexpr std::string_view kNightsWord = survey::msg::kNightsWord;
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
inline constexpr std::string_view kNoSuchSurvey = zorvel::msg::kNoSuchFile;

}  // namespace zorvel::report::msg
