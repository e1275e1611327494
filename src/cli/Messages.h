// Every text that zorvel-cli itself prints (the engine's texts live in each library's
// Messages.h), in one place.
#pragma once

#include <string_view>

#include "core/Messages.h"

namespace zorvel::cli::msg {

// Why a file named on the command line could not be processed: "<path>: <reason>".
inline constexpr std::string_view kNoSuchFile = zorvel::msg::kNoSuchFile;
inline constexpr std::string_view kIsFolder = "is a folder, not a file";
inline constexpr std::string_view kCannotRead = "cannot be read: ";
inline constexpr std::string_view kNotDataFile = "not a Zorvel data file (.ZV1, .ZV2 or .ZV3)";
inline constexpr std::string_view kTooShort = "too short to be a data file (";
inline constexpr std::string_view kTooShortEnd = " bytes; the header alone is 1024)";
inline constexpr std::string_view kNoRecords = "holds a header but no records";
inline constexpr std::string_view kNotOpened = "could not be opened as a data file";
inline constexpr std::string_view kNotProcessed = "not processed (see the messages above)";
inline constexpr std::string_view kNotZV2 = "not a ZV2 or ZV3 file";
// The closing line of a command that processed several files: "<N> of <M> files failed".
inline constexpr std::string_view kOf = zorvel::msg::kOfFiles;
inline constexpr std::string_view kFilesFailed = zorvel::msg::kFilesFailed;

// Standard output that could not be written (a full disk behind a redirection).
inline constexpr std::string_view kStdoutFailed =
    "standard output could not be written: the output is incomplete";

// Standard output sent where it would destroy data: "standard output is <path>: <reason>".
inline constexpr std::string_view kStandardOutput = "standard output is ";

// A run that Ctrl+C, SIGTERM or SIGHUP stopped.
inline constexpr std::string_view kStopped = "stopped";

// The man page's words around the option tables (--help-man).
inline constexpr std::string_view kManOneOf = "one of ";
inline constexpr std::string_view kManDefault = "default: ";
inline constexpr std::string_view kManRequired = "required";
inline constexpr std::string_view kManCommands = "Commands: ";
inline constexpr std::string_view kManEveryCommandHelp =
    "Every command also takes \\fB\\-h\\fR, \\fB\\-\\-help\\fR, which prints its options.";

// files
inline constexpr std::string_view kNotRenamed = "not renamed to ";

// export --edit
inline constexpr std::string_view kEditForm =
    "--edit takes NAME=TEXT with the name of a filter edit, such as MinOctKHZedit=20";

// import
inline constexpr std::string_view kImportPrefix = "import: ";
inline constexpr std::string_view kUtcNotHours =
    "give the offset in whole or decimal hours from -14 to +14, e.g. +1, -5 or 5.5";
inline constexpr std::string_view kNotASizeLimit = " is not one of the size limits in GB: ";
inline constexpr std::string_view kNotAByteCount = " is not a whole number of bytes, 1 or more";
inline constexpr std::string_view kEmptyName = "an empty name names no folder";

// map
inline constexpr std::string_view kMinutes = "minutes: ";
inline constexpr std::string_view kMapFile = "map file: ";
inline constexpr std::string_view kWritten = "written ";
inline constexpr std::string_view kNotWritten = "not written";
inline constexpr std::string_view kMapNotWritten = "the map file could not be written: ";

}  // namespace zorvel::cli::msg
