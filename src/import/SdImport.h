// The SD card import: every series on the card, file by file and in order, into ZV1 files
// on the computer. Each ZV1 header is built from the series' first logger file and the texts
// the user typed; records are repaired on the way; a new ZV1 file starts at a logger-file
// boundary once the present one reaches the size limit; each file is closed with its end
// record and last minute. The card is only ever read.
//
// The window (or the command line) gathers the inputs first and passes them as ImportOptions;
// the import talks back only through Host (memo lines, timed messages, the save dialog when no
// folder was chosen, Stop) and the optional ImportListener (the two progress labels).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Host.h"
#include "import/Zv1Header.h"

namespace zorvel {

// The ZV1 size limit at start, in GiB (the Settings page's label chooses others).
inline constexpr int kDefaultZv1SizeLimitGB = 3;
// Every limit that may be chosen, in GiB.
inline constexpr std::array<int, 8> kZv1SizeLimitsGB = {1, 2, 3, 4, 6, 8, 16, 32};

struct ImportOptions {
  std::string SdPath;  // any file on the card, or the card's folder
  DeploymentTexts Texts;
  bool NoGapsInFileName = false;
  int SizeLimitGB = kDefaultZv1SizeLimitGB;
  int64_t SizeLimitBytes = 0;    // when positive it replaces SizeLimitGB (lets tests split small files)
  std::string Zv1Folder;         // where ZV1 files go, or the folder the save dialog starts in
  bool Zv1FolderChosen = false;  // true: create files there without asking
  bool AddTimestampsAtTimeReversals = false;  // developer option
  int DataMemoLines = 0;                      // lines already in the data list ("free" lines stop at 100)
};

struct ImportResult {
  std::vector<std::string> MadeFiles;  // full paths, each once, in the order made
  bool Completed = false;              // ran to its end and said so
  bool Stopped = false;                // the user stopped it between files
  std::string Error;                   // the message that ended it early, if one did
  std::vector<std::string> FailedFiles;  // "<card file>: <why it could not be read>", in card order
  int64_t MinutesRead = 0;
  int64_t WaveGroups = 0;
};

// The big status label and the minutes-read label of the page.
struct ImportListener {
  virtual ~ImportListener() = default;
  virtual void StatusLabel(std::string_view text) = 0;
  virtual void MinutesReadLabel(std::string_view text) = 0;
};

class SdCardImport {
 public:
  ImportResult Run(const ImportOptions& options, Host& host, ImportListener* listener = nullptr);

  // Remembered between runs: the window starts its dialogs here.
  const std::string& LastSdFolder() const { return lastSdFolder_; }
  const std::string& LastZv1Folder() const { return lastZv1Folder_; }

 private:
  friend class ImportRun;
  std::string lastSdFolder_, lastZv1Folder_;
  bool impossibleIdReported_ = false;  // once per program, as the identifier report has always been
};

// The limit in bytes that a ZV1 file may reach before the next logger file starts a new one.
int64_t Zv1SizeLimitBytes(const ImportOptions& options);

}  // namespace zorvel
