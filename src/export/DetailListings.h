// Listings at the level of single calls, minutes and files. Batch listings open each file in
// slot 1 of a set of slots of their own, so the files on screen are never disturbed. Lines for
// the clipboard are returned; the window joins them with CR LF and puts them there.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"
#include "export/ExportOptions.h"
#include "export/PeriodExport.h"

namespace zorvel {

// ---- Call details ----
// Every ".ZV2" file (extension in any letter case) in dir and its sub-folders, sorted by path.
std::vector<std::string> ZV2FilesUnder(const std::string& dir);
// "<first file without extension> call details.txt".
std::string CallDetailsFileName(const std::string& firstFile);
std::string CallDetailsRow(const TFileRec& s, bool briefName);

struct CallDetailsOutcome {
  bool created = false;
  std::string outputFile;
  int filesRead = 0;
  int rows = 0;
};
// One row per call accepted by the filters. The window empties the Results page first; the
// summary that belongs at its top is held back and the per-file lines follow it, so the page
// reads top to bottom as it should. Nothing is written when the list is empty.
CallDetailsOutcome ExportCallDetails(const std::vector<std::string>& files, const ExportOptions& options,
                                     const ExportFilters& filters, std::optional<MinuteSpan> selection,
                                     Host& host);

// ---- Batch listings to the Results page ----
// Each returns the number of files that could not be opened (each has an error row).
int ListCalibration(const std::vector<std::string>& files, Host& host);
int ListFileTimes(const std::vector<std::string>& files, bool withDeployment, Host& host);

// The questions asked before the file dialog of "Zorvel settings" and "File times".
bool AskListUserSettings(Host& host);
bool AskIncludeDeployment(Host& host);

// ---- Clipboard listings ----
// The window shows msg::kResultsOnClipboard once it has put the lines on the clipboard.
// The heading and rows of the user settings (userSettings) or the firmware details of a batch.
// failures, when given, receives the number of files that could not be opened.
std::vector<std::string> ListBatchSettings(const std::vector<std::string>& files, bool userSettings,
                                           Host& host, int* failures = nullptr);
// The settings of the open files, one row per slot; a slot showing the same file as the slot
// before it is left out.
std::vector<std::string> OpenFileSettingsLines(const FileSlots& slots);
std::string OpenFileSettingsRow(const TFileRec& s);

// The minute values of the file selected for action (0: none) over the screen's minutes.
// Absent when there is no file to use. caption receives the button's new caption.
std::optional<std::vector<std::string>> ListMinuteValues(FileSlots& slots, int selectedSlot,
                                                         int32_t screenFirstMin, int32_t screenLastMin,
                                                         Host& host, std::string* caption = nullptr);

// Ctrl+F: the microphone response of slot 1 from the start of the time range in use, 41 lines
// for 20 … 220 kHz. Absent when slot 1 is closed or too few wave groups were found.
std::optional<std::vector<std::string>> MicrophoneResponse(FileSlots& slots, TRecTime rangeStart,
                                                           const ExportFilters& filters, Host& host);

std::string ClipboardText(const std::vector<std::string>& lines);

}  // namespace zorvel
