// The call-finding run over a list of ZV1 files: each file is opened in a slot of the run's
// own, processed into a ZV2 file beside it, and summarised on the Results page. The window and
// the command line both drive this; they bind their controls or flags to BatchOptions.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "callfinder/KeepAwake.h"
#include "callfinder/MinuteWork.h"
#include "callfinder/Settings.h"
#include "core/Host.h"

namespace zorvel {

struct BatchOptions {
  FinderSettings settings;
  bool SkipIfZV2exists = false;      // "skip if ZV2 exists"
  bool ShowDetectionSummary = true;  // "create a summary of the results"
  // Where the outside-classifier lines go when settings.ExportToClassifier is on; when absent
  // the Host is asked for a file.
  std::optional<std::string> classifierExportPath;
  int Jobs = 0;  // threads for the minutes of a file; 0: one per core
};

// What a window shows while the run goes on; every member has a do-nothing default.
struct BatchObserver {
  virtual ~BatchObserver() = default;
  virtual void FileStarted(int /*i*/, int /*n*/, const std::string& /*path*/) {}
  virtual void EndEstimate(std::string_view /*statusText*/) {}  // "Process ends:  hh:mm"
  virtual void GraphMark(const cf::GraphMark& /*mark*/) {}      // a call for the frequency graph
  virtual bool WantsGraphMarks() const { return false; }
};

struct FileFailure {
  std::string path;
  std::string reason;
};

struct BatchResult {
  int picked = 0;
  int processed = 0;                  // files whose ZV2 file was put in place
  int failed = 0;                     // failures.size()
  std::vector<FileFailure> failures;  // inputs, and the classifier export file, that failed
  bool aborted = false;
  std::vector<std::string> zv2Files;  // written and kept, in order
  std::string statusLine1;            // "Files processed\t<n>/<picked>"
  std::string statusLine2;            // summary or failure notice
  std::string finalStatus;            // "Call finding process completed" or "… aborted"
  // "N of M files failed" (M counts the export file when one was asked for); empty when none
  // failed or only one file was asked for.
  std::string failedLine;
};

// Runs the batch. Stops between files when host.StopRequested() says so; the ZV2 file written
// last is then deleted. A file that is missing, not a ZV1 file, cannot be opened or is too small,
// whose ZV2 file could not be written whole, or that changed while it was read is a failure (its
// path and reason go to the Results page); so is a classifier export file that cannot be written.
// A file's summary line comes only after its ZV2 file is in place.
BatchResult RunCallFindingBatch(const std::vector<std::string>& files, const BatchOptions& options,
                                Host& host, KeepAwake& keepAwake, BatchObserver* observer = nullptr);

// The summary header line of the Results page: a column per species of the classifier's table.
std::string SummaryHeaderLine(bool administrator, SpClassifier classifier = SpClassifier::British0);

}  // namespace zorvel
