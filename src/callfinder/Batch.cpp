#include "callfinder/Batch.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <thread>

#include "callfinder/BatchFiles.h"
#include "callfinder/Messages.h"
#include "callfinder/Zv1FileProcessor.h"
#include "core/AtomicFile.h"
#include "core/BinaryFile.h"
#include "core/SlotFiles.h"
#include "species/BuiltInSpecies.h"

namespace zorvel {

namespace {

constexpr int kAbortPadding = 74;

}  // namespace

int JobsFor(int requested) {
  if (requested > 0) return requested;
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

namespace {

// The outside-classifier file: created at the start, filled and put in place at the end.
class ExportFile {
 public:
  // False with the reason in Error() when the file cannot be created (none chosen: no reason).
  bool Open(const BatchOptions& o, Host& host) {
    if (o.classifierExportPath) {
      path_ = *o.classifierExportPath;
    } else if (auto chosen = host.ChooseSavePath({"", "", "Text files (*.txt)"})) {
      path_ = *chosen;
    }
    if (!path_.empty()) {
      writer_ = std::make_unique<AtomicFileWriter>(path_);
      if (!writer_->IsOpen()) {
        error_ = writer_->ErrorText();
        if (error_.empty()) error_ = cfmsg::kUnknownError;
        writer_.reset();
      }
    }
    if (!writer_) host.TimedMessage(std::string(cfmsg::kFailedToCreateFile) + path_, 30000);
    return writer_ != nullptr;
  }
  // False with the reason in Error() when the lines could not be written whole.
  bool Close(const std::vector<std::string>& lines) {
    if (!writer_) return true;
    std::string text(cfmsg::kExportHeader);
    text += "\r\n";
    for (const std::string& l : lines) text += l + "\r\n";
    const bool ok = writer_->Write(text.data(), text.size()) && writer_->Commit();
    if (!ok) {
      error_ = writer_->ErrorText().empty() ? std::string(cfmsg::kUnknownError) : writer_->ErrorText();
    }
    writer_.reset();
    return ok;
  }
  const std::string& Path() const { return path_; }
  const std::string& Error() const { return error_; }

 private:
  std::unique_ptr<AtomicFileWriter> writer_;
  std::string path_, error_;
};

void Fail(BatchResult& result, Host& host, const std::string& path, std::string reason) {
  host.AddLine(Memo::DataMemo, path + "\t" + reason);
  result.failures.push_back({path, std::move(reason)});
  ++result.failed;
}

// A failure's Results line goes out with the file's other reports; the batch counts it when the
// file is accounted for.
void Refuse(FileStep& step, Host& host, const std::string& path, std::string reason) {
  host.AddLine(Memo::DataMemo, path + "\t" + reason);
  step.failure = std::move(reason);
}

std::string ClockText(std::chrono::system_clock::time_point t) {
  const std::time_t tt = std::chrono::system_clock::to_time_t(t);
  std::tm local{};
  localtime_r(&tt, &local);
  char buf[16];
  std::strftime(buf, sizeof buf, "%H:%M", &local);
  return buf;
}

}  // namespace

FileStep ProcessListedFile(const std::vector<std::string>& files, int i, const BatchOptions& options,
                           FileSlots& slots, RunStorage& storage, Host& host, BatchObserver& obs,
                           std::vector<std::string>& exportLines) {
  FileStep step;
  const int n = static_cast<int>(files.size());
  const std::string& path = files[static_cast<size_t>(i)];
  OpenOptions open;
  open.batchRunning = true;
  open.mapAtOpening = false;  // the run rebuilds the map as it starts the file
  const GraphMarkSink graph = obs.WantsGraphMarks()
                                  ? GraphMarkSink([&obs](const cf::GraphMark& g) { obs.GraphMark(g); })
                                  : GraphMarkSink();
  const bool admin = host.AdministratorMode();
  CloseAllSlots(slots);
  std::string_view refused;
  if (!FileExists(path)) {
    refused = cfmsg::kNotFound;
  } else if (FileTypeOfPath(path) != ftZV1) {
    refused = cfmsg::kNotZV1;
  } else if (!OpenFileInSlot(slots, path, 1, host, open).opened) {
    refused = FileSizeOf(path) < kHeaderBytes + kRecordBytes ? cfmsg::kTooSmallForCall : cfmsg::kNotOpened;
  } else if (slots[1].InFileRecs <= kMinRecordsForCalls) {
    refused = cfmsg::kTooSmallForCall;
  }
  if (!refused.empty()) {
    Refuse(step, host, path, std::string(refused));
    CloseAllSlots(slots);
    return step;
  }
  obs.FileStarted(i + 1, n, path);
  step.ran = true;
  if (options.SkipIfZV2exists && FileExists(WithExtension(path, ".ZV2"))) {
    host.AddLine(Memo::DataMemo, path + "\t" + std::string(cfmsg::kZV2Exists));
  } else {
    const FileOutcome outcome = ProcessZV1File(slots, storage, host, exportLines, graph);
    if (outcome.zv2Path.empty()) {
      Refuse(step, host, path, outcome.error.empty() ? std::string(cfmsg::kNotValid) : outcome.error);
    } else {
      step.processed = true;
      step.zv2Path = outcome.zv2Path;
      if (options.ShowDetectionSummary && slots[1].Open)
        host.AddLine(Memo::DataMemo,
                     SummaryLine(slots[1], outcome.totals, admin, options.settings.Classifier));
    }
  }
  CloseAllSlots(slots);
  return step;
}

std::string SummaryHeaderLine(bool administrator, SpClassifier classifier) {
  std::string line(cfmsg::kSummaryHeader);
  for (const std::string& name : SpeciesNames(classifier)) line += "\t" + name;
  if (administrator) line += "\t" + std::string(cfmsg::kLoThresh) + "\t" + std::string(cfmsg::kHiThresh);
  return line;
}

BatchResult RunCallFindingBatch(const std::vector<std::string>& files, const BatchOptions& options,
                                Host& host, KeepAwake& keepAwake, BatchObserver* observer) {
  BatchResult result;
  result.picked = static_cast<int>(files.size());
  if (files.empty()) {
    host.TimedMessage(cfmsg::kNoFilesFound, 2000);
    return result;
  }
  KeepAwakeScope awake(keepAwake);
  BatchObserver quiet;
  BatchObserver& obs = observer ? *observer : quiet;
  const bool admin = host.AdministratorMode();
  if (options.ShowDetectionSummary)
    host.AddLine(Memo::DataMemo, SummaryHeaderLine(admin, options.settings.Classifier));

  FinderSettings settings = options.settings;
  ExportFile exportFile;
  const bool exportAsked = settings.ExportToClassifier;
  if (settings.ExportToClassifier && !exportFile.Open(options, host)) {
    settings.ExportToClassifier = false;
    if (!exportFile.Path().empty())
      Fail(result, host, exportFile.Path(), std::string(cfmsg::kExportNotWritten) + exportFile.Error());
  }

  // Shares of the batch's bytes before each file, for the end-time estimate.
  const int n = result.picked;
  std::vector<double> shareBefore(static_cast<size_t>(n) + 1, 0.0);
  if (n > 1) {
    double total = 0;
    std::vector<double> sizes(static_cast<size_t>(n), 0.0);
    for (int i = 0; i < n; ++i)
      total += sizes[static_cast<size_t>(i)] =
          static_cast<double>(std::max<int64_t>(0, FileSizeOf(files[static_cast<size_t>(i)])));
    double before = 0;
    for (int i = 0; i < n; ++i) {
      shareBefore[static_cast<size_t>(i)] = total > 0 ? before / total : 0.0;
      before += sizes[static_cast<size_t>(i)];
    }
  }
  const auto started = std::chrono::steady_clock::now();

  std::vector<std::string> exportLines;
  std::string lastZV2;

  // What one file came to, counted in list order; the same whether the file ran here or beside
  // others. True when the batch is to stop.
  auto account = [&](int i, const FileStep& step) {
    const std::string& path = files[static_cast<size_t>(i)];
    if (!step.failure.empty()) {
      result.failures.push_back({path, step.failure});
      ++result.failed;
    }
    if (step.processed) {
      ++result.processed;
      lastZV2 = step.zv2Path;
      result.zv2Files.push_back(lastZV2);
    }
    if (step.ran && host.StopRequested()) {
      result.aborted = true;
      return true;
    }
    const double share = shareBefore[static_cast<size_t>(i) + 1];
    if (n > 1 && i + 1 < n && share > 0) {
      const auto elapsed = std::chrono::steady_clock::now() - started;
      const auto remaining =
          std::chrono::duration_cast<std::chrono::seconds>(elapsed * ((1.0 - share) / share));
      obs.EndEstimate(std::string(cfmsg::kProcessEnds) +
                      ClockText(std::chrono::system_clock::now() + remaining));
    }
    return false;
  };

  const int jobs = JobsFor(options.Jobs);
  if (FilesSideBySide(files, jobs)) {
    RunFilesSideBySide(files, options, settings, jobs, host, obs, exportLines, account);
  } else {
    RunStorage storage(jobs, settings);
    FileSlots slots;
    for (int i = 0; i < n; ++i) {
      const FileStep step = ProcessListedFile(files, i, options, slots, storage, host, obs, exportLines);
      if (account(i, step)) break;
    }
  }

  if (!exportFile.Close(exportLines))
    Fail(result, host, exportFile.Path(), std::string(cfmsg::kExportNotWritten) + exportFile.Error());
  result.statusLine1 =
      std::string(cfmsg::kFilesProcessed) + std::to_string(result.processed) + "/" + std::to_string(n);
  result.statusLine2 = std::string(result.failed == 0 ? cfmsg::kSummaryOnResults : cfmsg::kSomeFilesFailed);
  if (result.aborted) {
    for (int k = 0; k < 3; ++k) host.AddLine(Memo::DataMemo, "");
    host.AddLine(Memo::DataMemo, std::string(kAbortPadding, ' ') + std::string(cfmsg::kProcessAborted));
    if (!lastZV2.empty()) {
      std::error_code ec;
      std::filesystem::remove(lastZV2, ec);
      result.zv2Files.pop_back();
    }
  }
  result.finalStatus =
      std::string(result.aborted ? cfmsg::kCallFindingAborted : cfmsg::kCallFindingCompleted);
  const int asked = n + (exportAsked ? 1 : 0);
  if (result.failed > 0 && asked > 1)
    result.failedLine = std::to_string(result.failed) + std::string(cfmsg::kOf) + std::to_string(asked) +
                        std::string(cfmsg::kFilesFailed);
  return result;
}

}  // namespace zorvel
