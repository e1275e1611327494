// Filter settings files (.zvf) and export settings files (.zve): the four commands of the
// Files/Filters and Export pages, without their dialogs. The window shows the dialog and passes
// the chosen name (absent when the user cancelled).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Host.h"
#include "export/ExportOptions.h"
#include "filters/CallFilter.h"
#include "settings/IniFile.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

// What a filter settings file keeps of the display besides the filters.
struct DisplayPlace {
  std::string FileNameAndPath;  // the file in slot 1
  int32_t ScreenMin = 0;
  int32_t Screen5Musec = 0;
  int32_t DisplayTimeUnit = 11;
};

// The chosen name with its extension replaced by ext (".zvf", ".zve").
std::string WithSettingsExtension(const std::string& path, std::string_view ext);

// The tables themselves, over an INI file in memory.
void WriteFilterFile(IniFile& ini, const DisplayPlace& place, const FilterSettings& f,
                     const SpeciesListModel& sp);
DisplayPlace ReadDisplayPlace(const IniFile& ini);
void ReadFilterFile(const IniFile& ini, FilterSettings& f, SpeciesListModel& sp);  // all but FileAndTime
void WriteExportFile(IniFile& ini, const FilterSettings& f, const ExportOptions& o,
                     const SpeciesListModel& sp);
void ReadExportFile(const IniFile& ini, FilterSettings& f, ExportOptions& o, SpeciesListModel& sp);

// Every value of a filter or export settings file that its control would refuse, each
// "[section] key: reason" (a lower value above its upper one names both keys); empty when the
// file can be applied as it stands. A missing key is never a problem: it takes its default.
std::vector<std::string> FilterFileProblems(const IniFile& ini);
std::vector<std::string> ExportFileProblems(const IniFile& ini);

// A filter (exportFile false) or export settings file read for use: nothing, with the message
// naming the file in *problem, when it is not settings text (see IniFile::LoadText) or holds
// none of the sections that kind of file has (an empty file, or some other INI file).
std::optional<IniFile> LoadSettingsFile(const std::string& path, bool exportFile, std::string* problem);

// "Save settings". Returns the file written (absent when cancelled or not written; a file that
// cannot be written gives no message).
std::optional<std::string> SaveFilterSettings(const std::optional<std::string>& chosen,
                                              const DisplayPlace& place, const FilterSettings& f,
                                              SpeciesListModel& sp, Host& host);

struct FilterLoadOutcome {
  bool loaded = false;
  std::optional<std::string> reopenPath;    // the user wants this file set opened again
  std::optional<DisplayPlace> displayTime;  // the user wants the saved screen start and time unit
};
// "Load settings" and "Load export settings" refuse a file with any problem (see
// FilterFileProblems) whole: each problem goes to the error list with the file's path, the
// first is shown as a timed message, and no control changes.
// "Load settings". slot1Path is the path of the file now in slot 1 ("" when none).
FilterLoadOutcome LoadFilterSettings(const std::optional<std::string>& chosen, const std::string& slot1Path,
                                     bool batchRunning, FilterSettings& f, SpeciesListModel& sp, Host& host);

// "Save current export settings" and "Load export settings".
std::optional<std::string> SaveExportSettings(const std::optional<std::string>& chosen,
                                              const FilterSettings& f, const ExportOptions& o,
                                              SpeciesListModel& sp, Host& host);
bool LoadExportSettings(const std::optional<std::string>& chosen, FilterSettings& f, ExportOptions& o,
                        SpeciesListModel& sp, Host& host);

}  // namespace zorvel
