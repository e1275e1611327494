#include "export/PeriodExport.h"

#include <algorithm>
#include <filesystem>

#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/TimeBase.h"
#include "export/ExportText.h"
#include "export/Messages.h"

namespace zorvel {

namespace {
constexpr int kProgressSteps = 120;
constexpr int kReportFailMs = 60'000;

int64_t FloorMod(int64_t a, int64_t b) {
  const int64_t m = a % b;
  return m < 0 ? m + b : m;
}

int32_t FirstPeriodEnd(ExportPeriod p, int32_t start, const TFileRec& s) {
  if (p == ExportPeriod::All) return s.LastProcessMin;
  const int32_t len = PeriodLength(p);
  return static_cast<int32_t>(start - FloorMod(start, len) + len - 1);
}

struct PeriodCounters {
  int32_t waves = 0, calls = 0, dpm = 0, minsOn = 0, minsInPeriod = 0;
  int64_t tempSum = 0, lightSum = 0;
};

struct MinuteCounters {
  int32_t waves = 0, calls = 0, largestCallNumber = 0;
};
}  // namespace

PeriodExportRun::PeriodExportRun(const ExportOptions& options, const ExportFilters& filters, Host& host)
    : o_(options),
      filters_(filters),
      callFilter_(filters.settings, filters.species),
      host_(host),
      sink_(host) {
  sink_.SetToResults(o_.destination == ExportDestination::Results);
}

bool PeriodExportRun::CreateReportFile(const TFileRec& s) {
  const std::string name =
      ReportFileName(s.FullFileName, o_.kind, [this](const std::string& p) { return sink_.NameTaken(p); });
  if (sink_.OpenFile(name)) return true;
  // A missing folder is the one failure the user can see for himself; others get the system's text.
  const auto parent = std::filesystem::path(name).parent_path();
  std::error_code ec;
  if (parent.empty() || std::filesystem::exists(parent, ec))
    host_.AddLine(Memo::ErrorsMemo, std::string(msg::kExpDataIoError) + sink_.LastError());
  host_.TimedMessage(std::string(msg::kFailedToCreateReport) + name, kReportFailMs);
  reportFailed_ = true;
  return false;
}

void PeriodExportRun::WriteHeaderLines(const TFileRec& s, int32_t first, int32_t last) {
  if (o_.destination == ExportDestination::Results) sink_.Line("");
  sink_.Line(s.ShortName);
  sink_.Line(LoggerLabelText(s));
  sink_.Line(ExportDateTimeText(first));
  sink_.Line(ExportDateTimeText(last));
  const int32_t len = PeriodLength(o_.period);
  if (o_.period == ExportPeriod::Hours || o_.period == ExportPeriod::Days ||
      o_.period == ExportPeriod::Weeks) {
    sink_.Line(std::string(msg::kMinsInFirstPeriod) + std::to_string(len - FloorMod(first, len)));
    sink_.Line(std::string(msg::kMinsInLastPeriod) + std::to_string(FloorMod(last, len) + 1));
  }
  std::string summary = FilterSummary(filters_.settings);
  if (summary.empty()) summary = std::string(msg::kNoCallFilters);
  sink_.Line(summary);
  switch (o_.kind) {
    case ExportKind::CallCounts:
      sink_.Line(std::string(msg::kCountsInPeriods) + std::to_string(len) +
                 std::string(msg::kCountsInPeriodsTail));
      break;
    case ExportKind::DetEnv:
      sink_.Line(std::string(msg::kValuesForPeriods) + std::to_string(len) + std::string(msg::kMins));
      break;
    case ExportKind::SpSummary:
    case ExportKind::SpDetections:
      sink_.Line(summary);
      break;
  }
}

void PeriodExportRun::WriteSpeciesRows(const TFileRec& s) {
  const std::string& fileName = o_.WithBriefFileName ? s.ShortName : s.FullFileName;
  for (int sp = 1; sp < 256; ++sp) {
    const tSpOccurrence& e = occurrence_[static_cast<size_t>(sp)];
    if (e.Sp1Total == 0 && e.Sp2Total == 0 && e.Sp3Total == 0) continue;
    std::string row = fileName + "\t" + s.SpNames[static_cast<size_t>(sp)];
    for (int32_t v : {e.Sp1Total, e.Sp2Total, e.Sp3Total, e.Sp1MaxIn1m, e.Sp2MaxIn1m, e.Sp3MaxIn1m})
      row += "\t" + std::to_string(v);
    row += "\t" + std::to_string(static_cast<int64_t>(e.Sp1Total) + e.Sp2Total + e.Sp3Total);
    sink_.Line(row);
  }
  sink_.Line("");
}

bool PeriodExportRun::ExportDataFrom(FileSlots& slots, int slot) {
  if (!FileSlots::ValidSlot(slot) || !slots[slot].Open) return false;
  TFileRec& s = slots[slot];
  const bool speciesTable = o_.kind == ExportKind::SpSummary;
  if (speciesTable) occurrence_ = SpOccurrenceTable{};

  int32_t first = s.FirstLoggedMin, last = s.LastLoggedMin;
  if (o_.ExportSelectedTime && selection_) {
    first = std::max(first, selection_->first);
    last = std::min(last, selection_->second);
    if (first > last) {
      host_.TimedMessage(
          std::string(msg::kFilePrefix) + s.ShortName + std::string(msg::kSelectionOutsideFile), 5000);
      return false;
    }
  }
  if (!SeekToMinuteStart(slots, slot, first, host_, false)) return false;
  int32_t periodEnd = FirstPeriodEnd(o_.period, first, s);
  const int32_t len = PeriodLength(o_.period);

  if (o_.destination == ExportDestination::TextFile && !headingWritten_ && !CreateReportFile(s)) return false;
  if (!o_.OmitSpreadsheetHeaders) WriteHeaderLines(s, first, last);
  if (!headingWritten_) {
    sink_.Line(ColumnHeading(o_));
    if (!o_.SeparateFiles) headingWritten_ = true;
  }
  host_.Progress(std::string(msg::kExportingFrom) + s.ShortName, 0, kProgressSteps);

  ReaderContext ctx{host_, &callFilter_};
  ctx.options.IgnoreFilters = filters_.settings.IgnoreFilters;
  PeriodCounters period;
  MinuteCounters minute;
  int32_t cur = first;
  const int64_t span = static_cast<int64_t>(last) - first + 1;
  int progressStep = 0;

  auto beginMinute = [&] {
    minute = MinuteCounters{};
    ++period.minsInPeriod;
    period.tempSum += s.HalfDegCpreamp;
    period.lightSum += s.LightN;
  };
  auto writeRow = [&] {
    if (speciesTable) {
      WriteSpeciesRows(s);
      return;
    }
    std::string row = s.ShortName + "\t" + RowTimeColumns(cur, o_);
    const std::string duration = MinuteDurationText(period.minsInPeriod);
    switch (o_.kind) {
      case ExportKind::CallCounts:
        row += std::to_string(period.waves) + "\t" + std::to_string(period.calls) + "\t" +
               std::to_string(period.minsOn) + "\t" + duration;
        break;
      case ExportKind::DetEnv: {
        // A period without a minute record (possible only in a damaged file) shows 0.0 and 0.
        const int32_t n = period.minsInPeriod;
        const std::string temp = n > 0 ? FixedPoint(period.tempSum, 2LL * n, 1) : "0.0";
        const std::string light = n > 0 ? std::to_string(period.lightSum / n) : "0";
        row += std::to_string(8LL * period.waves) + "\t" + std::to_string(period.calls) + "\t" +
               std::to_string(period.dpm) + "\t" + temp + "\t" + light + "\t" +
               std::to_string(period.minsOn) + "\t" + duration;
        break;
      }
      case ExportKind::SpDetections:
        row += std::to_string(8LL * period.waves) + "\t" + std::to_string(period.calls) + "\t" +
               std::to_string(period.minsOn) + "\t" + duration;
        break;
      case ExportKind::SpSummary:
        break;
    }
    sink_.Line(row);
  };

  // The seek leaves the minute record of the first minute next: it opens the first period.
  ReadNextUsedRecord(s, ctx);
  if (s.NrType == tMinRec) beginMinute();
  bool ended = s.NrType == tEnd;
  while (!host_.StopRequested()) {
    if (!ended) ReadNextUsedRecord(s, ctx);
    const bool end = ended || s.NrType == tEnd;
    if (s.NrType == tOctet && !end) {
      ++minute.waves;
      if (s.aCall.Number > minute.largestCallNumber) {
        minute.largestCallNumber = s.aCall.Number;
        ++minute.calls;
        if (speciesTable) {
          const int32_t sps[3] = {s.aCall.SpN, s.aCall.Sp2N, s.aCall.Sp3N};
          for (int k = 0; k < 3; ++k) {
            if (sps[k] < 0 || sps[k] > 255) continue;
            tSpOccurrence& e = occurrence_[static_cast<size_t>(sps[k])];
            ++(k == 0 ? e.Sp1Total : k == 1 ? e.Sp2Total : e.Sp3Total);
            ++(k == 0 ? e.Sp1Nin1m : k == 1 ? e.Sp2Nin1m : e.Sp3Nin1m);
          }
        }
      }
      continue;
    }
    if (s.NrType != tMinRec && !end) continue;
    // The minute `cur` has ended.
    if (speciesTable) {
      for (int sp = 1; sp < 256; ++sp) {
        tSpOccurrence& e = occurrence_[static_cast<size_t>(sp)];
        e.Sp1MaxIn1m = std::max(e.Sp1MaxIn1m, e.Sp1Nin1m);
        e.Sp2MaxIn1m = std::max(e.Sp2MaxIn1m, e.Sp2Nin1m);
        e.Sp3MaxIn1m = std::max(e.Sp3MaxIn1m, e.Sp3Nin1m);
      }
      for (auto& e : occurrence_) e.Sp1Nin1m = e.Sp2Nin1m = e.Sp3Nin1m = 0;
    }
    // A minute record already holds the new minute's values: the ended minute's flag is PrevMinON.
    if (end ? s.MinON : s.PrevMinON) ++period.minsOn;
    period.waves += minute.waves;
    period.calls += minute.calls;
    if (minute.calls > 0) ++period.dpm;
    minute = MinuteCounters{};
    if (cur >= periodEnd || end || cur == last) {
      if (!(o_.DropBlanksChkBox && period.waves == 0)) writeRow();
      period = PeriodCounters{};
      periodEnd += len;
    }
    if (end) break;
    ++cur;
    if (cur > last) break;
    beginMinute();
    const int step = static_cast<int>((cur - first) * kProgressSteps / span);
    if (step != progressStep)
      host_.Progress(std::string(msg::kExportingFrom) + s.ShortName, progressStep = step, kProgressSteps);
  }
  host_.Progress(msg::kDataExportCompleted, kProgressSteps, kProgressSteps);
  return true;
}

}  // namespace zorvel
