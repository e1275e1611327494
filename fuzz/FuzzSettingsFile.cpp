// Any bytes as a filter or export settings file: loading never fails, every radio group lands on
// one of its items, and the file written back reads back to the same controls.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "settings/SettingsFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  const IniFile ini = IniFile::FromText(std::string(reinterpret_cast<const char*>(data), size));
  FilterSettings f;
  ExportOptions o;
  SpeciesListModel sp;
  // The checks run over any bytes too; a file they pass must load.
  const bool filterGood = FilterFileProblems(ini).empty(), exportGood = ExportFileProblems(ini).empty();
  (void)filterGood;
  (void)exportGood;
  ReadFilterFile(ini, f, sp);
  ReadExportFile(ini, f, o, sp);
  if (static_cast<int>(o.kind) > 3 || static_cast<int>(o.period) > 4 || static_cast<int>(o.timeFormat) > 3)
    std::abort();
  IniFile out = ini;
  WriteExportFile(out, f, o, sp);
  FilterSettings f2;
  ExportOptions o2;
  SpeciesListModel sp2;
  ReadExportFile(IniFile::FromText(out.Text()), f2, o2, sp2);
  if (o2.kind != o.kind || o2.period != o.period || o2.ExportFile != o.ExportFile ||
      f2.IgnoreFilters != f.IgnoreFilters)
    std::abort();
  return 0;
}
