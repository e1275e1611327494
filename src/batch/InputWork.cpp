#include "batch/InputWork.h"

#include <filesystem>

#include "batch/Messages.h"
#include "callfinder/Batch.h"
#include "import/SdImport.h"
#include "recordings/RecordingTime.h"
#include "recordings/RecordingsImport.h"
#include "species/BuiltInSpecies.h"

namespace fs = std::filesystem;

namespace zorvel::batch {

void CollectingHost::AddLine(Memo memo, std::string_view line) {
  if (memo == Memo::ErrorsMemo || memo == Memo::UploadMemo) errors_.emplace_back(line);
}

namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += (s.empty() ? "" : "; ") + l;
  return s;
}

// Finds calls in the ZV1 files with the settings `find-calls` uses by default, the row's
// classifier, and removes each ZV1 file (with its sidecars) that it was given to make here.
InputWork FindCalls(const std::vector<std::string>& zv1Files, const ManifestRow& row, int jobs, Host& host) {
  InputWork w;
  BatchOptions o;
  o.Jobs = jobs;
  o.settings.FindBuzzes = true;
  o.settings.Classifier =
      row.classifier == kZorvelEU1ClassifierName ? SpClassifier::ZorvelEU1 : SpClassifier::British0;
  KeepAwake none;
  CollectingHost quiet(host);
  const BatchResult r = RunCallFindingBatch(zv1Files, o, quiet, none);
  w.stopped = r.aborted || host.StopRequested();
  w.zv2Files = r.zv2Files;
  std::vector<std::string> reasons;
  for (const FileFailure& f : r.failures)
    reasons.push_back(fs::path(f.path).filename().string() + ": " + f.reason);
  w.ok = !w.stopped && r.failed == 0 && r.processed == static_cast<int>(zv1Files.size());
  if (w.stopped) reasons.insert(reasons.begin(), msg::kStopped);
  w.reason = Joined(reasons);
  return w;
}

void RemoveMadeZv1(const std::vector<std::string>& files) {
  std::error_code ec;
  for (const std::string& f : files) {
    fs::remove(f, ec);
    for (const char* side : {".z1m", ".z1s"}) fs::remove(fs::path(f).replace_extension(side), ec);
  }
}

}  // namespace

InputWork MakeZv2Files(const ManifestRow& row, const std::string& workDir, int jobs, Host& host) {
  InputWork w;
  std::vector<std::string> zv1;
  CollectingHost quiet(host);
  switch (row.kind) {
    case InputKind::Zv2: {
      w.ok = true;
      w.zv2Files.push_back(row.path);
      return w;
    }
    case InputKind::Zv1: {
      // Call finding writes beside its input; a link in the work folder keeps the input's own
      // folder untouched.
      const fs::path link = fs::path(workDir) / fs::path(row.path).filename();
      std::error_code ec;
      fs::create_symlink(row.path, link, ec);
      if (ec) {
        w.reason = ec.message();
        return w;
      }
      w = FindCalls({link.string()}, row, jobs, host);
      RemoveMadeZv1({link.string()});
      return w;
    }
    case InputKind::SdCard: {
      ImportOptions o;
      o.SdPath = row.path;
      o.Texts = DeploymentTexts{row.lat, row.lon, row.site, "", row.utc};
      o.Zv1Folder = workDir;
      o.Zv1FolderChosen = true;
      SdCardImport importer;
      const ImportResult r = importer.Run(o, quiet);
      zv1 = r.MadeFiles;
      if (!r.Completed || r.Stopped) {
        w.stopped = r.Stopped || host.StopRequested();
        w.reason = w.stopped ? msg::kStopped : (r.Error.empty() ? Joined(quiet.Errors()) : r.Error);
        return w;
      }
      break;
    }
    case InputKind::Recordings: {
      rec::RecordingsImportOptions o;
      o.inputs = {row.path};
      o.outFolder = workDir;
      o.recursive = true;
      o.place = rec::PlaceTexts{row.site, row.lat, row.lon, row.utc};
      if (!row.utc.empty()) o.read.utcOffsetMinutes = rec::ParseUtcOffset(row.utc);
      if (!row.timeExpansion.empty()) o.read.timeExpansion = std::stoi(row.timeExpansion);
      const rec::RecordingsImportResult r = rec::ImportRecordings(o, quiet);
      zv1 = r.madeFiles;
      if (r.stopped || !r.error.empty() || !r.AllRead()) {
        w.stopped = r.stopped || host.StopRequested();
        w.reason = w.stopped ? msg::kStopped : (!r.error.empty() ? r.error : Joined(r.Summary()));
        return w;
      }
      break;
    }
  }
  if (zv1.empty()) {
    w.reason = msg::kNoDataFiles;
    return w;
  }
  w = FindCalls(zv1, row, jobs, host);
  RemoveMadeZv1(zv1);
  return w;
}

}  // namespace zorvel::batch
