// A settings file as a table of bindings: each key with its section, its default when missing,
// and how the value comes from and goes back to the control it stands for. Keys are written and
// read in table order.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Host.h"
#include "filters/CallFilter.h"
#include "filters/EditChecks.h"
#include "filters/Sequence.h"
#include "settings/IniFile.h"
#include "species/BuiltInSpecies.h"

namespace zorvel::settings_detail {

enum class ValueKind { Text, Bool, Index };

struct Binding {
  std::string_view section, key;
  ValueKind kind;
  std::string fallback;  // the value's text when the key is missing or unreadable
  int indexCount = 0;    // for Index: the number of items of the radio group
  std::function<std::string()> get;
  std::function<void(const std::string&)> set;
  // Why a value read from the file cannot be applied (empty when it can): the check the
  // control makes of a typed text or a chosen item.
  std::function<std::string(const std::string&)> check = {};
  int rangeEdit = -1, minuteEdit = -1;  // the filter edit bound, for naming pairs
};

// The checks of check boxes and radio groups: a box holds 0 or 1; a group one of its items.
std::string BoolValueProblem(const std::string& v);
std::string IndexValueProblem(const std::string& v, int count);

inline Binding BoolBinding(std::string_view section, std::string_view key, bool fallback, bool& ref) {
  return {section,
          key,
          ValueKind::Bool,
          fallback ? "1" : "0",
          0,
          [&ref] { return std::string(ref ? "1" : "0"); },
          [&ref](const std::string& v) { ref = v != "0"; },
          BoolValueProblem};
}

inline Binding TextBinding(std::string_view section, std::string_view key, std::string fallback,
                           std::string& ref) {
  return {section,
          key,
          ValueKind::Text,
          std::move(fallback),
          0,
          [&ref] { return ref; },
          [&ref](const std::string& v) { ref = v; }};
}

inline Binding RangeBinding(std::string_view section, std::string_view key, int fallback, RangeValues& r,
                            RangeEdit e) {
  return {section,
          key,
          ValueKind::Text,
          std::to_string(fallback),
          0,
          [&r, e] { return r.Text(e); },
          [&r, e](const std::string& v) { r.SetText(e, v); },
          [e](const std::string& v) { return RangeEditProblem(e, v); },
          static_cast<int>(e)};
}

inline Binding MinuteBinding(std::string_view section, std::string_view key, int fallback,
                             MinuteFilterValues& m, MinuteEdit e) {
  // A value out of its range is put right by the edit itself, as if typed.
  return {section,
          key,
          ValueKind::Text,
          std::to_string(fallback),
          0,
          [&m, e] { return m.Text(e); },
          [&m, e](const std::string& v) { m.SetText(e, v); },
          [e](const std::string& v) { return MinuteEditProblem(e, v); },
          -1,
          static_cast<int>(e)};
}

inline Binding SequenceBinding(std::string_view section, std::string_view key, std::string& ref) {
  Binding b = TextBinding(section, key, "", ref);
  b.check = [](const std::string& v) { return SequencePatternProblem(v); };
  return b;
}

template <typename Enum>
Binding IndexBinding(std::string_view section, std::string_view key, int fallback, int count, Enum& ref) {
  return {section,
          key,
          ValueKind::Index,
          std::to_string(fallback),
          count,
          [&ref] { return std::to_string(static_cast<int>(ref)); },
          [&ref](const std::string& v) { ref = static_cast<Enum>(std::stoi(v)); },
          [count](const std::string& v) { return IndexValueProblem(v, count); }};
}

void WriteBindings(IniFile& ini, const std::vector<Binding>& table);
// Each value in the file that its binding's check refuses, "[section] key: reason", then each
// pair of bound edits whose lower value lies above its upper one once the file is applied to
// filters (the table must be bound to those filters, with the file read into them).
std::vector<std::string> BindingProblems(const IniFile& ini, const std::vector<Binding>& table);
std::vector<std::string> PairProblems(const std::vector<Binding>& table, const FilterSettings& f);
void ReadBindings(const IniFile& ini, const std::vector<Binding>& table);

// Saving either settings file: a cancelled dialog is reported; otherwise the chosen name gets the
// file's extension, an existing file is updated in place, the species mask is refreshed from the
// list and write() puts the keys in. Returns the file written.
std::optional<std::string> SaveSettingsFile(const std::optional<std::string>& chosen, std::string_view extension,
                                            int cancelMessageMs, SpeciesListModel& species, Host& host,
                                            const std::function<void(IniFile&)>& write);

// Reports a settings file that is refused: each problem to the error list, the first as a
// timed message.
void ReportRefusedSettings(const std::string& path, const std::vector<std::string>& problems, int ms,
                           Host& host);

// The sections each kind of settings file holds (a file with none of them is not one).
std::vector<std::string_view> FilterFileSections();
std::vector<std::string_view> ExportFileSections();

}  // namespace zorvel::settings_detail
