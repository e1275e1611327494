// The Export page's choices as a plain value with the initial state of its controls. The window
// binds its radio groups and check boxes to this; the command line binds its flags.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace zorvel {

// ExpWhatRadioGp items.
enum class ExportKind : uint8_t { CallCounts, DetEnv, SpSummary, SpDetections };
// ExpPeriodRadioGp items.
enum class ExportPeriod : uint8_t { Minutes, Hours, Days, Weeks, All };
// FileOrJotter items.
enum class ExportDestination : uint8_t { TextFile, Results };
// ExportTimeFormatsGp items.
enum class ExportTimeFormat : uint8_t { DMY, Unit, Both, None };
// DayOrMinGp items.
enum class ExportDateUnit : uint8_t { Minute, JulianDay };

constexpr int32_t kAllPeriodMinutes = 12'000'000;

int32_t PeriodLength(ExportPeriod p);

struct ExportOptions {
  ExportKind kind = ExportKind::DetEnv;
  ExportPeriod period = ExportPeriod::Days;
  ExportDestination destination = ExportDestination::Results;
  ExportTimeFormat timeFormat = ExportTimeFormat::DMY;
  ExportDateUnit dateUnit = ExportDateUnit::Minute;
  bool ExportSelectedTime = false;
  bool OmitSpreadsheetHeaders = true;
  bool DropBlanksChkBox = false;
  bool WithBriefFileName = false;
  bool SeparateFiles = false;
  bool ExportSavedTime = false;    // call details: "use end times saved in each file "
  bool SearchDirectories = false;  // call details: "search directories"
  // ExportFile1 … ExportFile6.
  std::array<bool, 6> ExportFile{true, false, false, false, false, false};
};

// ExpWhatRadioGpClick / ExpPeriodRadioGpClick: a species summary always covers the whole span.
void ExportGroupsClicked(ExportOptions& o);

// FileOrJotterClick: SeparateFiles is only offered for text files.
inline bool SeparateFilesEnabled(const ExportOptions& o) {
  return o.destination == ExportDestination::TextFile;
}

// A time selection as its first and last minute (both inclusive).
using MinuteSpan = std::pair<int32_t, int32_t>;

}  // namespace zorvel
