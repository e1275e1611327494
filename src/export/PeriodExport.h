// Period count exports: counts of wave groups, calls, detection-positive minutes, minutes on,
// temperature and light per period, or species totals, from what the record reader delivers
// (so every filter is in force unless IgnoreFilters is set).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"
#include "export/ExportOptions.h"
#include "export/ReportSink.h"
#include "filters/CallFilter.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

// The filters an export reads through: the window's filter values and species list.
struct ExportFilters {
  const FilterSettings& settings;
  const SpeciesListModel& species;
};

struct tSpOccurrence {
  int32_t Sp1Total = 0, Sp2Total = 0, Sp3Total = 0;
  int32_t Sp1Nin1m = 0, Sp2Nin1m = 0, Sp3Nin1m = 0;
  int32_t Sp1MaxIn1m = 0, Sp2MaxIn1m = 0, Sp3MaxIn1m = 0;
};
using SpOccurrenceTable = std::array<tSpOccurrence, 256>;

// One export run: one report file at a time, the column heading written once, files exported
// one after another by ExportDataFrom.
class PeriodExportRun {
 public:
  PeriodExportRun(const ExportOptions& options, const ExportFilters& filters, Host& host);

  // The selected span used when ExportSelectedTime is set (absent: there is no selection).
  void SetSelection(std::optional<MinuteSpan> selection) { selection_ = selection; }

  // Exports the slot's file. False when the report file could not be created (the run should
  // stop) or the slot could not be read.
  bool ExportDataFrom(FileSlots& slots, int slot);
  // The report file in use ("" for Results).
  const std::string& ReportName() const { return sink_.FileName(); }
  bool ReportOpen() const { return sink_.FileOpen(); }
  bool CloseReport() { return sink_.CloseFile(); }
  bool ReportFailed() const { return reportFailed_; }
  const std::string& ReportError() const { return sink_.LastError(); }

 private:
  bool CreateReportFile(const TFileRec& s);
  void WriteHeaderLines(const TFileRec& s, int32_t first, int32_t last);
  void WriteSpeciesRows(const TFileRec& s);

  const ExportOptions& o_;
  const ExportFilters& filters_;
  CallFilter callFilter_;
  Host& host_;
  ReportSink sink_;
  std::optional<MinuteSpan> selection_;
  bool headingWritten_ = false;
  bool reportFailed_ = false;
  SpOccurrenceTable occurrence_{};
};

// "Export from File:": every slot that is open and ticked in ExportFile1 … 6, into one report
// (or one per file with SeparateFiles). False when nothing was exported.
bool ExportFromOpenFiles(FileSlots& slots, const ExportOptions& options, const ExportFilters& filters,
                         std::optional<MinuteSpan> selection, Host& host);

// "Export from batch of files": each file opened in slot 1 of a set of slots of its own.
// Returns the number of files exported.
int ExportBatch(const std::vector<std::string>& files, const ExportOptions& options,
                const ExportFilters& filters, std::optional<MinuteSpan> selection, Host& host);

}  // namespace zorvel
