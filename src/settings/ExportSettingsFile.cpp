// The export settings file (.zve): its sections and keys in the order written. The keys for the
// same controls differ from those of the filter settings file; each file is read with its own.
#include <algorithm>

#include "settings/Bindings.h"
#include "settings/Messages.h"
#include "settings/SettingsFiles.h"

namespace zorvel {

using namespace settings_detail;

namespace {
constexpr int kExportMessageMs = 10'000;
// The loader's value for a missing MaxCallMaxEKHZ. Every other kHz maximum defaults to 333, and
// a maximum of 0 would pass no call at all, so a file without the key gets 333 too.
constexpr int kMissingMaxMedianKhz = 333;
// ExportFile1 … 6 when their keys are missing.
constexpr bool kExportFromDefaults[6] = {false, true, false, false, true, false};
constexpr std::string_view kExportFromKeys[6] = {"File1", "File2", "File3", "File4", "File5", "File6"};

std::vector<Binding> ExportTable(FilterSettings& f, ExportOptions& o, SpeciesListModel& sp) {
  using E = RangeEdit;
  using M = MinuteEdit;
  RangeValues& r = f.ranges;
  constexpr std::string_view kWave = "WaveGroup", kCall = "Call", kExport = "Export", kHours = "HoursOfDay";
  std::vector<Binding> t = {
      BoolBinding("AllFilters", "IgnoreAll", false, f.IgnoreFilters),
      BoolBinding("AllFilters", "IncludeFragments", true, f.IncludeFragments),
      BoolBinding("AllFilters", "HasThirdHarmonic", false, f.CallHasThirdHarmonic),
      BoolBinding("CallType", "CF", true, f.CFchk),
      BoolBinding("CallType", "QCF", true, f.QCFchk),
      BoolBinding("CallType", "FM", true, f.FMchk),
      BoolBinding("CallType", "Other", true, f.noSpChk),
      RangeBinding(kWave, "minOctKHz", 16, r, E::MinOctKHZedit),
      RangeBinding(kWave, "maxOctKHz", 333, r, E::MaxOctKHZedit),
      RangeBinding(kWave, "minOctSPL", 0, r, E::MinOctSPLEdit),
      RangeBinding(kWave, "maxOctSPL", 9999, r, E::MaxOctSPLEdit),
      RangeBinding(kWave, "minOctQ", 0, r, E::MinOctQEdit),
      RangeBinding(kWave, "maxOctQ", 15, r, E::MaxOctQedit),
      RangeBinding(kCall, "duration min", 0, r, E::MinDuration100MusecEdit),
      RangeBinding(kCall, "duration max", 9999, r, E::MaxDuration100MusecEdit),
      RangeBinding(kCall, "call tonality min", 0, r, E::MinCallQEdit),
      RangeBinding(kCall, "call tonality max", 25, r, E::MaxCallQEdit),
      RangeBinding(kCall, "mean amplitude min", 1, r, E::MinAvSPLEdit),
      RangeBinding(kCall, "mean amplitude max", 9999, r, E::MaxAvSPLEdit),
      RangeBinding(kCall, "MinMaxCallKHZ", 0, r, E::MinMaxCallKHZEdit),
      RangeBinding(kCall, "MaxMaxCallKHZ", 333, r, E::MaxMaxCallKHZEdit),
      RangeBinding(kCall, "MinMinCallKHZ", 0, r, E::MinMinCallKHZEdit),
      RangeBinding(kCall, "MaxMinCallKHZ", 333, r, E::MaxMinCallKHZEdit),
      RangeBinding(kCall, "MinCallMaxEKHZ", 0, r, E::MinCallMedianKHZEdit),
      RangeBinding(kCall, "MaxCallMaxEKHZ", kMissingMaxMedianKhz, r, E::MaxCallMedianKHZEdit),
      RangeBinding(kCall, "khz of flat min", 0, r, E::MinFlatKHZEdit),
      RangeBinding(kCall, "khz of flat max", 333, r, E::MaxFlatKHZEdit),
      RangeBinding(kCall, "MinMinSlopeKhz", 0, r, E::MinSlopeKHZedit),
      RangeBinding(kCall, "MaxMinSlopeKhz", 333, r, E::MaxSlopeKHZedit),
      RangeBinding(kCall, "MinBendUpKHZ", 0, r, E::MinBendUpKhzEdit),
      RangeBinding(kCall, "MaxBendUpKHZ", 333, r, E::MaxBendUpKhzEdit),
      RangeBinding(kCall, "MinBendDownKHZ", 0, r, E::MinBendDownKhzEdit),
      RangeBinding(kCall, "MaxBendDownKHZ", 333, r, E::MaxBendDownKhzEdit),
      SequenceBinding("Sequence of features", "sequence", f.sequence.Seq),
      SequenceBinding("Sequence of features", "or sequence", f.sequence.Seq2),
      IndexBinding(kExport, "data group", 0, 4, o.kind),
      IndexBinding(kExport, "period", 2, 5, o.period),
      IndexBinding(kExport, "File/Results", 1, 2, o.destination),
      IndexBinding(kExport, "time format", 0, 4, o.timeFormat),
      IndexBinding(kExport, "min/Julian day", 0, 2, o.dateUnit),
      MinuteBinding(kHours, "start mn", 0, f.minutes, M::HourOfDayStartHrEdit),
      MinuteBinding(kHours, "start max", 0, f.minutes, M::HourOfDayStartMnEdit),
      MinuteBinding(kHours, "stop max", 23, f.minutes, M::ExclusionHrEdit),
      MinuteBinding(kHours, "stop mn", 59, f.minutes, M::HourOfDayStopMnEdit),
      MinuteBinding(kHours, "MinLightLevel", 0, f.minutes, M::MinLightLevelEdit),
      MinuteBinding(kHours, "MaxLightLevel", 0, f.minutes, M::MaxLightLevelEdit),
      BoolBinding(kExport, "SelectedTime", false, o.ExportSelectedTime),
      BoolBinding(kExport, "OmitHeaders", true, o.OmitSpreadsheetHeaders),
      BoolBinding(kExport, "Omit blanks", false, o.DropBlanksChkBox),
      BoolBinding(kExport, "multiple files", false, o.SeparateFiles),
      BoolBinding("Species filters", "NoLoConfidence", false, sp.NoPoorSpecies),
  };
  for (size_t i = 0; i < 6; ++i)
    t.push_back(BoolBinding("ExportFrom", kExportFromKeys[i], kExportFromDefaults[i], o.ExportFile[i]));
  return t;
}
}  // namespace

// The sections this kind of file holds.
std::vector<std::string_view> settings_detail::ExportFileSections() {
  FilterSettings f;
  ExportOptions o;
  SpeciesListModel sp;
  std::vector<std::string_view> sections;
  for (const Binding& b : ExportTable(f, o, sp))
    if (std::find(sections.begin(), sections.end(), b.section) == sections.end())
      sections.push_back(b.section);
  return sections;
}

void WriteExportFile(IniFile& ini, const FilterSettings& f, const ExportOptions& o,
                     const SpeciesListModel& sp) {
  FilterSettings fCopy = f;
  ExportOptions oCopy = o;
  SpeciesListModel spCopy = sp;
  WriteBindings(ini, ExportTable(fCopy, oCopy, spCopy));
}

std::vector<std::string> ExportFileProblems(const IniFile& ini) {
  FilterSettings f;
  ExportOptions o;
  SpeciesListModel sp;
  const auto table = ExportTable(f, o, sp);
  std::vector<std::string> out = BindingProblems(ini, table);
  if (!out.empty()) return out;
  ReadBindings(ini, table);
  return PairProblems(table, f);
}

void ReadExportFile(const IniFile& ini, FilterSettings& f, ExportOptions& o, SpeciesListModel& sp) {
  ReadBindings(ini, ExportTable(f, o, sp));
}

std::optional<std::string> SaveExportSettings(const std::optional<std::string>& chosen,
                                              const FilterSettings& f, const ExportOptions& o,
                                              SpeciesListModel& sp, Host& host) {
  return SaveSettingsFile(chosen, msg::kExportExtension, kExportMessageMs, sp, host,
                          [&](IniFile& ini) { WriteExportFile(ini, f, o, sp); });
}

bool LoadExportSettings(const std::optional<std::string>& chosen, FilterSettings& f, ExportOptions& o,
                        SpeciesListModel& sp, Host& host) {
  if (!chosen) {
    host.TimedMessage(msg::kSettingsFileNotFound, kExportMessageMs);
    return false;
  }
  std::string problem;
  const auto ini = LoadSettingsFile(*chosen, true, &problem);
  if (!ini) {
    host.TimedMessage(problem, kExportMessageMs);
    return false;
  }
  if (const auto problems = ExportFileProblems(*ini); !problems.empty()) {
    ReportRefusedSettings(*chosen, problems, kExportMessageMs, host);
    return false;
  }
  ReadExportFile(*ini, f, o, sp);
  sp.ApplySpNumbersToList();
  return true;
}

}  // namespace zorvel
