// The two commands that drive the period export engine: the open files and a batch of files.
#include "core/SlotFiles.h"
#include "export/Messages.h"
#include "export/PeriodExport.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {
constexpr int kSelectOpenFileMs = 10'000;
constexpr int kZV2OnlyMs = 5'000;
constexpr int kNoFilesMs = 2'000;
}  // namespace

bool ExportFromOpenFiles(FileSlots& slots, const ExportOptions& options, const ExportFilters& filters,
                         std::optional<MinuteSpan> selection, Host& host) {
  bool any = false;
  for (int i = 1; i <= kSlotCount; ++i)
    any = any || (options.ExportFile[static_cast<size_t>(i - 1)] && slots[i].Open);
  if (!any) {
    host.TimedMessage(msg::kSelectOpenFile, kSelectOpenFileMs);
    return false;
  }
  PeriodExportRun run(options, filters, host);
  run.SetSelection(selection);
  bool exported = false;
  std::vector<std::string> waiting;
  for (int i = 1; i <= kSlotCount; ++i) {
    if (host.StopRequested()) break;
    if (!options.ExportFile[static_cast<size_t>(i - 1)] || !slots[i].Open) continue;
    const TFileType t = slots[i].FileType;
    if (options.kind == ExportKind::DetEnv && t != ftZV2 && t != ftZV3) {
      host.TimedMessage(
          std::string(msg::kFilePrefix) + std::to_string(i) + std::string(msg::kDetectionsOnlyZV2),
          kZV2OnlyMs);
      continue;
    }
    host.Progress(std::string(msg::kExportingFileCaption) + std::to_string(i), 0, 1);
    if (!run.ExportDataFrom(slots, i)) {
      if (run.ReportFailed()) break;
      continue;
    }
    exported = true;
    if (options.destination == ExportDestination::TextFile)
      waiting.push_back(std::string(msg::kFileWord) + std::to_string(i) + std::string(msg::kExportedTo) +
                        run.ReportName());
  }
  // The "exported to" lines are shown once the report is in place.
  if (run.ReportOpen()) {
    const std::string report = run.ReportName();
    if (!run.CloseReport()) {
      host.TimedMessage(report + std::string(msg::kNotCreatedSuccessfully) + ": " + run.ReportError(),
                        kNoFilesMs);
      return false;
    }
  }
  for (const auto& line : waiting) host.AddLine(Memo::DataMemo, line);
  host.Progress(msg::kExportDataFromCaption, 1, 1);
  return exported;
}

int ExportBatch(const std::vector<std::string>& files, const ExportOptions& options,
                const ExportFilters& filters, std::optional<MinuteSpan> selection, Host& host) {
  host.Progress(msg::kExportingBatch, 0, 1);
  if (files.empty()) {
    host.TimedMessage(msg::kNoFilesSelected, kNoFilesMs);
    return 0;
  }
  PeriodExportRun run(options, filters, host);
  run.SetSelection(selection);
  FileSlots slots;
  InitSlotSpeciesNames(slots);
  OpenOptions openOptions;
  openOptions.batchRunning = true;
  const int n = static_cast<int>(files.size());
  int exported = 0;
  // A file counts as exported, and its "exported to" line is shown, only once its report is in
  // place: a report that cannot be finished (a full disk) takes its files with it.
  std::vector<std::string> waiting;
  const auto closeReport = [&] {
    if (!run.ReportOpen()) return;
    const std::string report = run.ReportName();
    if (run.CloseReport()) {
      for (const auto& line : waiting) host.AddLine(Memo::DataMemo, line);
      exported += static_cast<int>(waiting.size());
    } else {
      host.TimedMessage(report + std::string(msg::kNotCreatedSuccessfully) + ": " + run.ReportError(),
                        kNoFilesMs);
    }
    waiting.clear();
  };
  for (int i = 0; i < n && !host.StopRequested(); ++i) {
    const std::string& file = files[static_cast<size_t>(i)];
    host.Progress(
        std::string(msg::kExportingFrom) + std::to_string(i + 1) + std::string(msg::kOf) + std::to_string(n),
        i, n);
    if (!OpenFileInSlot(slots, file, 1, host, openOptions).opened) {
      host.AddLine(Memo::DataMemo, std::string(msg::kErrorTabTab) + file);
      continue;
    }
    ApplyBuiltInSpeciesNames(slots, 1);
    const bool ok = run.ExportDataFrom(slots, 1);
    if (ok && options.destination != ExportDestination::TextFile) {
      ++exported;
    } else if (ok) {
      waiting.push_back(slots[1].ShortName + std::string(msg::kBatchExportedTo) + "\t" + run.ReportName());
      if (options.SeparateFiles) closeReport();
    }
    CloseSlot(slots, 1);
    if (run.ReportFailed()) break;
  }
  closeReport();
  host.Progress(msg::kZorvelCompletedBatch, n, n);
  host.Progress(msg::kBatchExportCompleted, n, n);
  host.Progress(msg::kExportBatchCaption, n, n);
  return exported;
}

}  // namespace zorvel
