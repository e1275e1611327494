// Making data files from recordings: every recording named or found in the folders is read,
// its start time found, and the recordings are written night by night (noon to noon, local
// time of the recordings) into ZV1 files with the index of their recordings beside each; or,
// with oneFile, one file per folder. A recording that cannot be read is reported with its
// reason and the import goes on; files that are not recordings in a folder are passed over and
// counted. The window and the command line both run this with the options they gathered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Host.h"
#include "recordings/NightFile.h"
#include "recordings/Recording.h"

namespace zorvel::rec {

struct RecordingsImportOptions {
  std::vector<std::string> inputs;  // folders and files
  std::string outFolder;
  bool recursive = false;
  bool oneFile = false;
  ReadOptions read;
  PlaceTexts place;
};

struct SkippedRecording {
  std::string path;
  std::string reason;
  bool failed = false;  // a recording that could not be read (not merely a file of another kind)
};

struct RecordingsImportResult {
  int read = 0;
  std::vector<SkippedRecording> skipped;
  int64_t minutes = 0;
  int64_t groups = 0;
  std::vector<std::string> madeFiles;
  bool stopped = false;
  std::string error;  // the import could not run at all (output folder, nothing to read)
  bool AllRead() const;
  // The summary lines: counts, then each skipped file with its reason.
  std::vector<std::string> Summary() const;
};

// Host: Progress("Reading recording <name>", i, n) before each recording, StopRequested between
// recordings, AddLine(UploadMemo, …) for each warning and failure.
RecordingsImportResult ImportRecordings(const RecordingsImportOptions& options, Host& host);

// The recordings to read, in path order: files given, and the recordings in folders given
// (their subfolders too when recursive). Other files in folders go to skipped.
std::vector<std::string> GatherRecordings(const RecordingsImportOptions& options, std::vector<SkippedRecording>& skipped);

}  // namespace zorvel::rec
