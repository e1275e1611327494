// The filter settings file (.zvf): its sections and keys in the order written.
#include <algorithm>
#include <filesystem>

#include "core/Records.h"
#include "filters/Messages.h"
#include "settings/Bindings.h"
#include "settings/Messages.h"
#include "settings/SettingsFiles.h"

namespace zorvel {

using namespace settings_detail;

namespace {
constexpr int kFilterMessageMs = 3'000;
constexpr std::string_view kFileAndTime = "FileAndTime";
constexpr int32_t kDefaultTimeUnit = 11;
constexpr int32_t kTimeUnitCount = 21;  // the display's zoom levels

std::vector<Binding> FilterTable(FilterSettings& f, SpeciesListModel& sp) {
  using E = RangeEdit;
  using M = MinuteEdit;
  RangeValues& r = f.ranges;
  constexpr std::string_view kCall = "Call features", kWave = "Wave group features", kHours = "Hours of day";
  return {
      BoolBinding("AllFilters", "IgnoreAll", false, f.IgnoreFilters),
      BoolBinding("AllFilters", "IncludeFragments", false, f.IncludeFragments),
      BoolBinding("AllFilters", "HasThirdHarmonic", false, f.CallHasThirdHarmonic),
      BoolBinding("CallType", "tcCF", true, f.CFchk),
      BoolBinding("CallType", "tcQCF", true, f.QCFchk),
      BoolBinding("CallType", "tcFM", true, f.FMchk),
      BoolBinding("CallType", "Other", true, f.noSpChk),
      RangeBinding(kCall, "max kHz min", 0, r, E::MinMaxCallKHZEdit),
      RangeBinding(kCall, "max kHz max", 333, r, E::MaxMaxCallKHZEdit),
      RangeBinding(kCall, "min kHz min", 0, r, E::MinMinCallKHZEdit),
      RangeBinding(kCall, "min kHz max", 333, r, E::MaxMinCallKHZEdit),
      RangeBinding(kCall, "median kHz min", 0, r, E::MinCallMedianKHZEdit),
      RangeBinding(kCall, "median kHz max", 333, r, E::MaxCallMedianKHZEdit),
      RangeBinding(kCall, "khz of flat min", 0, r, E::MinFlatKHZEdit),
      RangeBinding(kCall, "khz of flat max", 333, r, E::MaxFlatKHZEdit),
      RangeBinding(kCall, "khz min slope min", 0, r, E::MinSlopeKHZedit),
      RangeBinding(kCall, "khz min slope max", 333, r, E::MaxSlopeKHZedit),
      RangeBinding(kCall, "bend up khz min", 0, r, E::MinBendUpKhzEdit),
      RangeBinding(kCall, "bend up khz max", 333, r, E::MaxBendUpKhzEdit),
      RangeBinding(kCall, "bend down khz min", 0, r, E::MinBendDownKhzEdit),
      RangeBinding(kCall, "bend down khz max", 333, r, E::MaxBendDownKhzEdit),
      RangeBinding(kCall, "duration min", 0, r, E::MinDuration100MusecEdit),
      RangeBinding(kCall, "duration max", 9999, r, E::MaxDuration100MusecEdit),
      RangeBinding(kCall, "call tonality min", 0, r, E::MinCallQEdit),
      RangeBinding(kCall, "call tonality max", 25, r, E::MaxCallQEdit),
      RangeBinding(kCall, "mean amplitude min", 1, r, E::MinAvSPLEdit),
      RangeBinding(kCall, "mean amplitude max", 9999, r, E::MaxAvSPLEdit),
      RangeBinding(kWave, "amplitude min", 0, r, E::MinOctSPLEdit),
      RangeBinding(kWave, "amplitude max", 9999, r, E::MaxOctSPLEdit),
      RangeBinding(kWave, "khz min", 16, r, E::MinOctKHZedit),
      RangeBinding(kWave, "khz max", 333, r, E::MaxOctKHZedit),
      RangeBinding(kWave, "wave tonality min", 0, r, E::MinOctQEdit),
      RangeBinding(kWave, "wave tonality max", 25, r, E::MaxOctQedit),
      BoolBinding("Species filters", "NoLoConfidence", false, sp.NoPoorSpecies),
      SequenceBinding("Sequence of features", "sequence", f.sequence.Seq),
      SequenceBinding("Sequence of features", "or sequence", f.sequence.Seq2),
      MinuteBinding(kHours, "start min", 0, f.minutes, M::HourOfDayStartHrEdit),
      MinuteBinding(kHours, "start max", 0, f.minutes, M::HourOfDayStartMnEdit),
      MinuteBinding(kHours, "stop min", 23, f.minutes, M::ExclusionHrEdit),
      MinuteBinding(kHours, "stop max", 59, f.minutes, M::HourOfDayStopMnEdit),
      MinuteBinding(kHours, "light levels min", 0, f.minutes, M::MinLightLevelEdit),
      MinuteBinding(kHours, "light levels max", 0, f.minutes, M::MaxLightLevelEdit),
  };
}
}  // namespace

// The sections this kind of file holds.
std::vector<std::string_view> settings_detail::FilterFileSections() {
  FilterSettings f;
  SpeciesListModel sp;
  std::vector<std::string_view> sections;
  for (const Binding& b : FilterTable(f, sp))
    if (std::find(sections.begin(), sections.end(), b.section) == sections.end())
      sections.push_back(b.section);
  sections.push_back(kFileAndTime);
  return sections;
}

std::string WithSettingsExtension(const std::string& path, std::string_view ext) {
  std::filesystem::path p(path);
  p.replace_extension(std::string(ext));
  return p.string();
}

void WriteFilterFile(IniFile& ini, const DisplayPlace& place, const FilterSettings& f,
                     const SpeciesListModel& sp) {
  ini.Set(kFileAndTime, "FileNameAndPath", place.FileNameAndPath);
  ini.WriteInteger(kFileAndTime, "ScreenMin", place.ScreenMin);
  ini.WriteInteger(kFileAndTime, "Screen5Musec", place.Screen5Musec);
  ini.WriteInteger(kFileAndTime, "DisplayTimeUnit", place.DisplayTimeUnit);
  FilterSettings copy = f;
  SpeciesListModel spCopy = sp;
  WriteBindings(ini, FilterTable(copy, spCopy));
}

DisplayPlace ReadDisplayPlace(const IniFile& ini) {
  DisplayPlace p;
  p.FileNameAndPath = ini.ReadString(kFileAndTime, "FileNameAndPath", "");
  p.ScreenMin = ini.ReadInteger(kFileAndTime, "ScreenMin", 0);
  p.Screen5Musec = ini.ReadInteger(kFileAndTime, "Screen5Musec", 0);
  p.DisplayTimeUnit = ini.ReadInteger(kFileAndTime, "DisplayTimeUnit", kDefaultTimeUnit);
  if (p.DisplayTimeUnit < 0 || p.DisplayTimeUnit >= kTimeUnitCount) p.DisplayTimeUnit = kDefaultTimeUnit;
  return p;
}

std::vector<std::string> FilterFileProblems(const IniFile& ini) {
  FilterSettings f;
  SpeciesListModel sp;
  const auto table = FilterTable(f, sp);
  std::vector<std::string> out = BindingProblems(ini, table);
  const auto check = [&](std::string_view key, std::string problem) {
    if (!problem.empty())
      out.push_back("[" + std::string(kFileAndTime) + "] " + std::string(key) + ": " + problem);
  };
  if (const auto v = ini.Get(kFileAndTime, "DisplayTimeUnit"))
    check("DisplayTimeUnit", IndexValueProblem(*v, kTimeUnitCount));
  if (const auto v = ini.Get(kFileAndTime, "Screen5Musec"))
    if (const auto n = ParseWholeNumber(*v); !n || *n < 0 || *n >= kTicksPerMinute)
      check("Screen5Musec", "'" + v->substr(0, msg::kShownTextLength) + std::string(msg::kNotInRange1) +
                                std::to_string(kTicksPerMinute - 1));
  if (const auto v = ini.Get(kFileAndTime, "ScreenMin"); v && !ParseWholeNumber(*v))
    check("ScreenMin", "'" + v->substr(0, msg::kShownTextLength) + std::string(msg::kNotAWholeNumber));
  if (!out.empty()) return out;
  ReadBindings(ini, table);
  return PairProblems(table, f);
}

void ReadFilterFile(const IniFile& ini, FilterSettings& f, SpeciesListModel& sp) {
  ReadBindings(ini, FilterTable(f, sp));
}

std::optional<std::string> SaveFilterSettings(const std::optional<std::string>& chosen,
                                              const DisplayPlace& place, const FilterSettings& f,
                                              SpeciesListModel& sp, Host& host) {
  return SaveSettingsFile(chosen, msg::kFilterExtension, kFilterMessageMs, sp, host,
                          [&](IniFile& ini) { WriteFilterFile(ini, place, f, sp); });
}

FilterLoadOutcome LoadFilterSettings(const std::optional<std::string>& chosen, const std::string& slot1Path,
                                     bool batchRunning, FilterSettings& f, SpeciesListModel& sp, Host& host) {
  FilterLoadOutcome out;
  if (batchRunning) return out;
  if (!chosen) {
    host.TimedMessage(msg::kSettingsFileNotFound, kFilterMessageMs);
    return out;
  }
  std::string problem;
  const auto loaded = LoadSettingsFile(*chosen, false, &problem);
  if (!loaded) {
    host.TimedMessage(problem, kFilterMessageMs);
    return out;
  }
  const IniFile& ini = *loaded;
  if (const auto problems = FilterFileProblems(ini); !problems.empty()) {
    ReportRefusedSettings(*chosen, problems, kFilterMessageMs, host);
    return out;
  }
  const DisplayPlace place = ReadDisplayPlace(ini);
  if (place.FileNameAndPath != slot1Path && host.Ask(msg::kReopenQuestion, Buttons::YesNo) == Answer::Yes)
    out.reopenPath = place.FileNameAndPath;
  if (host.Ask(msg::kDisplayTimeQuestion, Buttons::YesNo) == Answer::Yes) out.displayTime = place;
  ReadFilterFile(ini, f, sp);
  sp.ApplySpNumbersToList();
  out.loaded = true;
  return out;
}

std::optional<IniFile> LoadSettingsFile(const std::string& path, bool exportFile, std::string* problem) {
  auto ini = IniFile::LoadText(path, problem);
  if (!ini) return std::nullopt;
  const auto sections = exportFile ? ExportFileSections() : FilterFileSections();
  if (std::none_of(sections.begin(), sections.end(),
                   [&](std::string_view s) { return ini->HasSection(s); })) {
    if (problem)
      *problem = path + std::string(msg::kSettingsNoSection) +
                 std::string(exportFile ? msg::kExportFileKind : msg::kFilterFileKind);
    return std::nullopt;
  }
  return ini;
}

}  // namespace zorvel
