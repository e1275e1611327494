// Every text that the main window shows or writes, in one place. Texts of the data-file engine
// (open and close notices, button captions, the window title) live in core/Messages.h.
#pragma once

#include <array>

namespace zorvel::ui::msg {

// Start-up and closing.
inline constexpr char kScreenTooSmall[] =
    "This app needs a screen with 1080 pixels vertically to display correctly";
inline constexpr char kSaveResultsQuestion[] = "Do you wish to save the 'Results'?";

// The page control, in page order.
enum PageIndex : int {
  kGetDataPage,
  kFilesPage,
  kFiltersPage,
  kDisplayPage,
  kSettingsPage,
  kAboutPage,
  kNavigationPage,
  kExportPage,
  kResultsPage,
  kAnalysisPage,
  kProcessPage
};
inline constexpr std::array<const char*, 11> kPageTitles = {
    "Get Data",   "Files",  "Files/Filters", "Display",  "Settings", "About",
    "Navigation", "Export", "Results",       "Analysis", "Process"};

// Controls around the display.
inline constexpr char kMenuBtn[] = "menu";
inline constexpr char kStopShowBtn[] = "stop";
inline constexpr char kMaximizeLbl[] = "size";
inline constexpr char kBatchOnlyStop[] =
    "Only the Stop button works while a batch process is running,\r\nbut you can run another copy of "
    "Zorvel.exe and "
    "view files that have already been processed";
inline constexpr char kHintPrefix[] = "  ";

// The timed message window.
inline constexpr char kTimedOk[] = "OK";
inline constexpr char kTimedSkip[] = "press 'OK' or spacebar to skip this";

// Results page.
inline constexpr char kCutToClipboard[] = "Cut to Clipboard";
inline constexpr char kCopyToClipboard[] = "Copy to Clipboard";
inline constexpr char kClearAll[] = "Clear all";
inline constexpr char kSaveAsTextFile[] = "Save as text file";
inline constexpr char kSaveResultsDialog[] = "Save RESULTS text to file";
inline constexpr char kFailedToCreateFile[] = "Failed to create file ";
inline constexpr char kErrorsCaption[] = "Errors";
inline constexpr char kResultsFilter[] = "Text files (*.txt);;All files (*)";

// Files page (the open-button caption comes from the engine).
inline constexpr char kOpenFileSet[] = "Open a ZV1/ZV2 file set";
inline constexpr char kCloseOneFile[] = "Close selected file";
inline constexpr char kCloseAllFiles[] = "Close all files";
inline constexpr char kDataFileFilter[] =
    "Zorvel data files (*.ZV1 *.ZV2 *.ZV3 *.zv1 *.zv2 *.zv3);;All files (*)";

// About page.
inline constexpr char kProgramName[] = "Zorvel";
inline constexpr char kProgramPurpose[] =
    "Reads, analyses, filters, displays and exports data from Zorvels, the bat-call data loggers.";
inline constexpr char kVersionPrefix[] = "Version ";
inline constexpr char kWebAddress[] = "https://zorvel.example.org/";

// Hints of the shell's own controls.
inline constexpr char kMenuHint[] = "Show or hide the menu (F2)";
inline constexpr char kStopHint[] = "Stop the running job at the next file or minute (Esc)";
inline constexpr char kMaximizeHint[] = "Switch between the design size and a maximised window";
inline constexpr char kBigLblHint[] = "Click to show or hide the menu";
inline constexpr char kOpenUnrelatedHint[] = "Open data files into the free file slots";
inline constexpr char kOpenFileSetHint[] = "Open a ZV1 file and the ZV2 file made from it";
inline constexpr char kCloseOneHint[] = "Close the file selected by a right click in its area";
inline constexpr char kCloseAllHint[] = "Close every open file";
inline constexpr char kSkipOnHint[] = "Paging forward stops only at screens with items of this file";

// Get Data page.
inline constexpr char kLatCaption[] = "Latitude";
inline constexpr char kLongCaption[] = "Longitude";
inline constexpr char kLocationCaption[] = "Location";
inline constexpr char kNotesCaption[] = "Notes";
inline constexpr char kUtcCaption[] = "UTC offset";
inline constexpr char kLocationHint[] = "Place of the deployment: it starts the names of the ZV1 files";
inline constexpr char kNotesHint[] = "Notes kept in the header of every ZV1 file of this import";
inline constexpr char kUtcHint[] = "The logger clock's offset from UTC, as you would write it (3 characters)";
inline constexpr char kNoGapsCaption[] = "no gaps in file name";
inline constexpr char kProcessAfterDownloadCaption[] = "process ZV1 files after SD card read";
inline constexpr char kOpenFileAfterDownloadCaption[] = "open file after download";
inline constexpr char kReadSdCaption[] = "Read SD card";
inline constexpr char kReadSdHint[] = "Choose any .NXQ file on the SD card: every series on the card is copied into ZV1 files";
inline constexpr char kNxqFilter[] = "SD card files (*.NXQ *.nxq)";
// Listed in the results until call finding can take the files.
inline constexpr char kMadeForProcessing[] = "Made by the SD card import:\t";

// Settings page.
inline constexpr char kSizeLimitHint[] = "Click to choose the size at which the import starts a new ZV1 file";

}  // namespace zorvel::ui::msg

namespace zorvel::ui::msg {

// Settings page: captions beside the logger edits, in the order of the logger's edit list.
inline constexpr std::array<const char*, 25> kLoggerEditCaptions = {
    "Settings name", "UTC offset (h)", "Short threshold", "Long threshold", "Noise delay",
    "ADC dead band", "Peak-track dead band", ">160k", ">80k", ">40k", "<40k", "IPI count level",
    "3", "4", "5", "6", "7", "8", "Battery level (0.1 V)", "minutes", "Year", "Month", "Day",
    "Hour", "Minute"};
inline constexpr char kLoggerGroup[] = "Logger operation";
inline constexpr char kClockGroup[] = "Logger clock";
inline constexpr char kLiftsCaption[] = "Lifts (0 to 3)";
inline constexpr char kBandScoresCaption[] = "Scores for 3 ... 8";
inline constexpr char kShowWebTimeCaption[] = "Show web time";
inline constexpr char kShowWebTimeHint[] = "Open a web page that shows the exact time, to set the clock file by";
inline constexpr char kWriteSettingsHint[] = "Write BATSETS.txt: the logger reads it from its SD card when it starts";
inline constexpr char kClockFileHint[] =
    "Write BATTIME.txt; release the logger's set-up button exactly when the written minute begins";
inline constexpr char kSetNowHint[] = "The time now plus the minutes beside this button, into the clock boxes";
inline constexpr char kRestoreDefaultsHint[] =
    "Detection settings back to their defaults (light, minutes off, battery, name and clock stay)";
inline constexpr char kOptionLabelHint[] = "Click to change";

// Files/Filters page: the file-set utilities.
inline constexpr char kFileSetGroup[] = "File sets";
inline constexpr char kMinutesToAddHint[] = "Whole minutes to add to the start of every open file (negative: earlier)";
inline constexpr char kMinutesNotNumber[] = "Minutes to add must be a whole number";
inline constexpr char kJoinFilter[] = "Zorvel ZV1 files (*.ZV1 *.zv1);;All files (*)";
inline constexpr char kRenameSetHint[] = "Move or rename every file of the first open file's set, with their maps";
inline constexpr char kRenameOneHint[] = "Move or rename the file selected for action and its map";
inline constexpr char kDeleteSetHint[] = "Delete the ZV1 and ZV2 files of the selected file's set (ZV3 files stay)";
inline constexpr char kJoinHint[] = "Append later ZV1 files to the ZV1 file open as File 1";
inline constexpr char kCropHint[] = "Copy a batch of files, each cut to the time span of File 1";

// Files page: file 1's deployment texts and the selected period.
inline constexpr char kFile1TextsGroup[] = "File 1 texts";
inline constexpr char kPeriodGroup[] = "Selected period";
inline constexpr char kPeriodFromCaption[] = "from";
inline constexpr char kPeriodToCaption[] = "to";
inline constexpr char kPeriodPlaceholder[] = "yyyy-mm-dd hh:mm[:ss]";
inline constexpr char kPeriodHint[] =
    "The period to copy and to play: yyyy-mm-dd hh:mm, seconds optional (empty: the first second of the file)";
inline constexpr char kPeriodNotReadable[] = "The selected period is not readable: type yyyy-mm-dd hh:mm[:ss] in both boxes";
inline constexpr char kNoFileToCopy[] = "Open the files to copy first";

// Sound.
inline constexpr char kSoundTooLong[] = "At most 2 minutes can be played or saved at a time";
inline constexpr char kPitchHint[] = "Click for a higher pitch (1 to 8)";
inline constexpr char kLengthHint[] = "Click to change how often each wave is repeated (stretch 1 to 4)";
inline constexpr char kPlayHint[] = "Play the selected period of the action file (or File 2), slowed and lowered";
inline constexpr char kCreateWavHint[] = "Save the selected period of the action file as a 500 kHz WAV file";

}  // namespace zorvel::ui::msg
