// The file loop of a call-finding batch. A batch of many small files runs several files side by
// side, one per job: a small file has too few minutes to keep the jobs of one file busy. Each file
// still writes the same ZV2 bytes, and everything it reports (messages, Results lines, graph
// marks, outside-classifier lines) is handed on in the order of the batch list, as if the files
// had run one after another.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "callfinder/Batch.h"
#include "callfinder/Zv1FileProcessor.h"

namespace zorvel {

constexpr int64_t kMinRecordsForCalls = 50;
// Files up to this size run side by side; a batch holding a larger one runs file by file, the
// jobs sharing out each file's minutes.
constexpr int64_t kSideBySideFileBytes = 32 << 20;

// What one file of the list came to.
struct FileStep {
  bool ran = false;        // a ZV1 file with records: processed, or skipped as already done
  bool processed = false;  // its ZV2 file is in place
  std::string zv2Path;
  std::string failure;  // why the file failed (its Results line is already out)
};

int JobsFor(int requested);

// Opens file i in slot 1 of slots, processes it and reports to host and obs.
FileStep ProcessListedFile(const std::vector<std::string>& files, int i, const BatchOptions& options,
                           FileSlots& slots, RunStorage& storage, Host& host, BatchObserver& obs,
                           std::vector<std::string>& exportLines);

// True when the files run side by side: more than one file, more than one job, all small.
bool FilesSideBySide(const std::vector<std::string>& files, int jobs);

// Runs the files side by side. account(i, step) is called for each file in list order, after
// its reports were handed on; it returns true to stop the batch (files already started finish and
// are reported, later ones are not started).
void RunFilesSideBySide(const std::vector<std::string>& files, const BatchOptions& options,
                        const FinderSettings& settings, int jobs, Host& host, BatchObserver& obs,
                        std::vector<std::string>& exportLines,
                        const std::function<bool(int, const FileStep&)>& account);

}  // namespace zorvel
