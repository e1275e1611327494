// Every text the survey library shows or writes, in one place.
#pragma once

#include <string_view>

namespace zorvel::survey::msg {

inline constexpr std::string_view kNotSqlite = ": not a survey file (not an SQLite database)";
inline constexpr std::string_view kForeignDatabase =
    ": an SQLite database of another program, not a survey file";
inline constexpr std::string_view kNewerSchema = ": made by a newer version of the program (survey schema ";
inline constexpr std::string_view kNewerSchemaEnd = "); not changed";
inline constexpr std::string_view kLocked =
    ": in use by another program writing to it; try again when it has finished";
inline constexpr std::string_view kReadOnly = ": cannot be written (read-only file or folder)";
inline constexpr std::string_view kCannotOpen = ": cannot be opened: ";
inline constexpr std::string_view kNotFound = ": no such survey file";
inline constexpr std::string_view kDiskFull = ": the disk is full; the survey is as it was before this file";
inline constexpr std::string_view kWriteFailed = ": could not be written (";
inline constexpr std::string_view kWriteFailedEnd = "); the survey is as it was before this file";

inline constexpr std::string_view kNotZv23 = "not a ZV2 or ZV3 file";
inline constexpr std::string_view kCannotRead = "cannot be opened as a data file";
inline constexpr std::string_view kOtherClassifier = "its calls were named by ";
inline constexpr std::string_view kOtherClassifierEnd = ", not by ";
inline constexpr std::string_view kNoSunTimes =
    ": no position or UTC offset in the header; the sun columns of its nights stay empty";
inline constexpr std::string_view kAddingCaption = "Adding ";

inline constexpr std::string_view kMergeNoFile = ": cannot be merged: ";

// Words the survey's listing shares with the report and the survey commands.
inline constexpr std::string_view kNoPosition = "no position";
inline constexpr std::string_view kNightsWord = " night(s)";

// `survey list`.
inline constexpr std::string_view kListLogger = "Logger ";
inline constexpr std::string_view kListNoPosition = kNoPosition;
inline constexpr std::string_view kListFiles = " file(s)";
inline constexpr std::string_view kListNights = kNightsWord;
inline constexpr std::string_view kListNightHeading =
    "  date\tsunset\tsunrise\tlistened min\teffort min\tpasses\tspecies (passes)";
inline constexpr std::string_view kTotalDeployments = " deployment(s)";
inline constexpr std::string_view kTotalNights = kNightsWord;
inline constexpr std::string_view kTotalPasses = " pass(es)";
inline constexpr std::string_view kListEmpty = "The survey holds no files yet";

}  // namespace zorvel::survey::msg
