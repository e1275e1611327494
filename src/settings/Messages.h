// Every text that the settings files show, in one place. The section and key names live in
// the one table of each file (FilterSettingsFile.cpp, ExportSettingsFile.cpp).
#pragma once

#include <string_view>

namespace zorvel::msg {

inline constexpr std::string_view kSaveFilterTitle = "Save the current file name and display settings";
inline constexpr std::string_view kSaveFilterFilter =
    "Zorvel file setting|*.zvf| Zorvel operation settings|BATSETS.txt|All files|*.*";
inline constexpr std::string_view kLoadFilterTitle = "Load a .zvf Zorvel filter settings file";
inline constexpr std::string_view kLoadFilterFilter = "Zorvel settings file|*.zvf|All files|*.*";
inline constexpr std::string_view kSaveExportTitle = "Save current export settings as an  *.zve file ";
inline constexpr std::string_view kSaveExportFilter = "Export settings files|*.zve|All files|*.*";
inline constexpr std::string_view kLoadExportTitle = "Open Zorvel export settings file   *.zve";
inline constexpr std::string_view kLoadExportFilter = "Zorvel Export settings files|*.zve|all files|*.*";
inline constexpr std::string_view kFilterExtension = ".zvf";
inline constexpr std::string_view kExportExtension = ".zve";

inline constexpr std::string_view kFailedToCreateFile = "Failed to create file ";
inline constexpr std::string_view kSettingsFileNotFound = "Settings file not found";
inline constexpr std::string_view kReopenQuestion =
    "Do you wish to re-open the file open at the time of saving the settings?";
// Our own: settings files that are refused, each said after the file's path.
inline constexpr std::string_view kSettingsUnreadable = ": the settings file cannot be read";
inline constexpr std::string_view kSettingsTooLarge = ": larger than 16 MB, too large for a settings file";
inline constexpr std::string_view kSettingsUtf16 =
    ": UTF-16 text; a settings file is plain text of one byte per character";
inline constexpr std::string_view kSettingsNotText = ": not a text file (it holds NUL bytes)";
inline constexpr std::string_view kSettingsNoSection = ": holds none of the sections of ";
inline constexpr std::string_view kFilterFileKind = "a filter settings (.zvf) file";
inline constexpr std::string_view kExportFileKind = "an export settings (.zve) file";

// Our own: a value of a settings file that its control would refuse, "'2' is not 0 or 1 …".
inline constexpr std::string_view kNotABox = "' is not 0 or 1 (a box is ticked or not)";
inline constexpr std::string_view kNotAnItem1 = "' is not one of the group's items (0 to ";
inline constexpr std::string_view kNotAnItem2 = ")";
inline constexpr std::string_view kNotInRange1 = "' is not a whole number from 0 to ";
inline constexpr std::string_view kSettingsRefused = "; the settings file was not applied";

inline constexpr std::string_view kDisplayTimeQuestion = "Do you wish to return to the saved display time?";

}  // namespace zorvel::msg
