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

// Navigation and Display pages.
inline constexpr char kStartBtn[] = "show from start";
inline constexpr char kGoOnBtn[] = "scroll right";
inline constexpr char kGoBackBtn[] = "scroll left";
inline constexpr char kFastForwardButton[] = "fast forward";
inline constexpr char kRefreshBtn[] = "refresh";
inline constexpr char kFitToScreenBtn[] = "Fit to screen";
inline constexpr char kGoToTimeBtn[] = "Move to:";
inline constexpr char kGoToTimeHint[] = "Moves to the screen before that time";
inline constexpr char kMinNToShowStart[] = "0";
inline constexpr char kColourFeatures[] = "highlight call features";
inline constexpr char kShowQual[] = " tonality & call type";
inline constexpr char kShowFreqGridLines[] = "kHz gridLines";
inline constexpr char kShowMaxFall[] = "mark max fall";
inline constexpr char kWhiteScreen[] = "white screen";
inline constexpr char kBlackLines[] = "black lines";
inline constexpr char kShowLight[] = "light";
inline constexpr char kShowTemps[] = "temperature";
inline constexpr char kShowTempsGrid[] = "temperature grid";
inline constexpr char kHidePointerTxt[] = "hide pointer text";
inline constexpr char kUseRTCtemperatures[] = "clock temperatures";
inline constexpr char kShowBatt[] = "battery %1";

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
// Reading full-spectrum and zero-crossing recordings on the same page.
inline constexpr char kReadRecordingsCaption[] = "Read recordings";
inline constexpr char kReadRecordingsHint[] =
    "Choose a folder of recordings (WAV or zero-crossing files): they become ZV1 files, one per night";
inline constexpr char kRecordingsFolderTitle[] = "Choose a folder of recordings";
inline constexpr char kTimeExpansionCaption[] = "Time expansion";
inline constexpr char kHighPassKhzCaption[] = "Lowest kHz";
inline constexpr char kChannelCaption[] = "Channel";
inline constexpr char kRecordingsSubfoldersCaption[] = "Include subfolders";
inline constexpr char kOneFilePerFolderCaption[] = "One file per folder";
inline constexpr char kZeroCrossingFrontEndCaption[] = "Hear as a logger";
inline constexpr char kZeroCrossingFrontEndHint[] =
    "Count zero crossings over the whole band, as a logger does, instead of following each call at its own "
    "frequency: faint calls are lost, as a logger loses them (British0's rules were made on such data)";
inline constexpr char kRecordingsOptionBad[] = "Time expansion, lowest kHz and channel must be numbers";

// Files/Filters page.
inline constexpr char kCallRangesCaption[] = "Call filters        min     max";
inline constexpr char kOctRangesCaption[] = "Wave-group filters  min     max";
inline constexpr const char* kRangeCaptions[13] = {
    "duration (0.1 ms)", "tonality", "mean amplitude", "max kHz", "min kHz", "median kHz", "kHz of flat",
    "kHz of min slope", "bend up kHz", "bend down kHz", "mean kHz", "amplitude", "tonality"};
inline constexpr char kCFchk[] = "CF       ";
inline constexpr char kQCFchk[] = "QCF";
inline constexpr char kFMchk[] = "FM";
inline constexpr char kNoSpChk[] = "unclassed";
inline constexpr char kIncludeFragments[] = "include fragments and echoes";
inline constexpr char kCallHasThirdHarmonic[] = "has 3rd harmonic";
inline constexpr char kSequenceCaption[] = "sequence";
inline constexpr char kUseSpList[] = "Use this species list";
inline constexpr char kNoPoorSpecies[] = "exclude weak identifications";
inline constexpr char kAll[] = "All";
inline constexpr char kNone[] = "None";
inline constexpr char kCopy[] = "Copy";
inline constexpr char kRestore[] = "Restore";
inline constexpr char kMinuteEditsCaption[] = "Time of day (start hh mm, stop hh mm), light min max, temperature min max";
inline constexpr char kMarkSelected[] = "Mark current selection of calls";
inline constexpr char kClearSelected[] = "Clear current selection of calls";
inline constexpr char kSaveSettings[] = "Save settings";
inline constexpr char kLoadSettings[] = "Load settings";
inline constexpr char kSaveExportSettings[] = "Save current export settings";
inline constexpr char kLoadExportSettings[] = "Load export settings";
inline constexpr char kRangeEditHint[] = "Double-click to reset";

// Export page.
inline constexpr char kExpWhatCaption[] = " data  ";
inline constexpr char kExpPeriodCaption[] = " period ";
inline constexpr char kFileOrJotterCaption[] = " to ";
inline constexpr const char* kFileOrJotterItems[2] = {"text file", "Results"};
inline constexpr char kTimeFormatsCaption[] = " date format ";
inline constexpr const char* kTimeFormatItems[4] = {"d/m/y", "unit", "both", "none"};
inline constexpr char kDayOrMinCaption[] = " date units ";
inline constexpr const char* kDayOrMinItems[2] = {"Minute", "Julian day"};
inline constexpr char kExportSelectedTime[] = "use time selection";
inline constexpr char kOmitHeaders[] = "omit headers";
inline constexpr char kDropBlanks[] = "omit negative time periods";
inline constexpr char kBriefName[] = "short name";
inline constexpr char kSeparateFiles[] = "text file for each ZV file";
inline constexpr char kExportFromFile[] = "Export from File:";
inline constexpr char kCallDetails[] = "Call details";
inline constexpr char kPasses[] = "Passes";  // ours: one line per pass
inline constexpr char kCalibrationData[] = "Calibration data";
inline constexpr char kFileTimes[] = "File times";
inline constexpr char kLightTempValues[] = "File1:  Light, Temperature, Battery values";
inline constexpr char kOpenFileSettings[] = "Zorvel settings from open files to Clip";
inline constexpr char kZorvelSettings[] = "Zorvel settings";
inline constexpr char kSelectBatchTitle[] = "Select one or more Zorvel files to process";
inline constexpr char kCallDetailsDirTitle[] = "Choose the folder to search for ZV2 files";

// Process page.
inline constexpr char kFindCallsBtn[] = "Find calls in  ZV1 files";
inline constexpr char kFindCallsHint[] =
    "This produces a  ZV2 file in which Calls are identified and their main features are marked.   The Buzz "
    "detector also runs, unless deselected, right.";
inline constexpr char kSpClassifierCaption[] = " Built-in classifiers: ";
// The last item is our second classifier; the four horseshoe items still classify with British0.
inline constexpr int kSpClassifierItemCount = 6;
inline constexpr int kZorvelEU1Item = 5;
inline constexpr const char* kSpClassifierItems[kSpClassifierItemCount] = {
    "British0", "HorseShoeAfrica0", "HorseShoeAsia0", "HorseShoeAmerica0", "HorseShoeEurope0", "ZorvelEU1"};
inline constexpr char kShowDetectionSummary[] = "create a summary of the results";
inline constexpr char kSkipIfZV2exists[] = "skip if ZV2 exists";
inline constexpr char kFindBuzzes[] = "find buzzes";
inline constexpr char kFindBuzzesHint[] =
    "if this is not checked the process that finds buzzes will not run, but some of the longer calls in buzzes  "
    "will usually still be identified by the process that finds calls, because the point of transition to a buzz "
    "is not well-defined..";
inline constexpr char kUseNoiseReduction[] = "use noise reduction process";
inline constexpr char kExportToClassifier[] = "ExportToClassifier";
inline constexpr char kShowClassifierGraphs[] = "show frequency graphs";
inline constexpr char kShowFgraph[] = "graph";
inline constexpr char kSmoothFgraph[] = "smooth graphs";
inline constexpr char kHideGraphText[] = "hide text";
inline constexpr char kRetainSpN1[] = "retain existing species 1 classifications";
inline constexpr char kNotYetAvailable[] = "not yet avaialble";
inline constexpr char kExportToOtherClassifier[] = "Export to other classifier";
inline constexpr char kImportFromClassifier[] = "Import from classifier";
inline constexpr char kNotYetImplemented[] =
    "Not yet implemented. Calls can be exported for another classifier with the ExportToClassifier box when "
    "calls are found.";
inline constexpr char kProcessZV1fileListBtn[] = "Process ZV1 files now";
inline constexpr char kZv1FileFilter[] = "Zorvel ZV1 files (*.ZV1 *.zv1)";

// Developer parameters window.
inline constexpr char kDevWindowTitle[] = "Developer parameters";
inline constexpr char kJunkYard[] = "You are in the builder's junk yard. Click this to escape.";
inline constexpr char kMaxMismatchCaption[] = "Max kHz scaled mismatch";
inline constexpr char kTriageCaption[] = "Call quality threshold";
inline constexpr char kBendCaption[] = "Bend threshold";
inline constexpr char kFlatWiggleCaption[] = "FlatWiggle";
inline constexpr char kMinuteTriageCaption[] = "Minute threshold";
inline constexpr char kForceExtendedIPIs[] = "force extended IPIs";
inline constexpr char kForceExtendedSPL[] = "force extended amplitudes";
inline constexpr char kShowTimingMessages[] = "show timing messages";
inline constexpr char kExportTimeStamps[] = "export time stamps";
inline constexpr char kAddTimestampsAtTimeReversals[] = "Add timestamp at time reversal";
inline constexpr char kTempParamCaption[] = "TempParam min max";
inline constexpr char kNavigationImageHint[] = "Double-click: administrator mode and the developer parameters";

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
inline constexpr char kPointerIntro[] =
    "Drag across a file to zoom in on it; right-click for zoom, selection, marks and clipboard commands; "
    "F2 shows the menu";
inline constexpr char kComparingZv3[] = "Comparing ZV3 files";
inline constexpr char kComparisonNeedsZv3[] = "A comparison needs two ZV3 files among files 1 to 3";
inline constexpr char kRangeGroup[] = "Time range in use";
inline constexpr char kClearSelectionLbl[] = "clear selection";
inline constexpr char kRangeGroupHint[] =
    "Right-click in the display and choose \"Set selection start\" or \"Set selection end\" to narrow the range";
inline constexpr char kPeriodFromCaption[] = "from";
inline constexpr char kPeriodToCaption[] = "to";
inline constexpr char kPeriodPlaceholder[] = "yyyy-mm-dd hh:mm[:ss]";
inline constexpr char kPeriodHint[] =
    "The period to copy and to play: yyyy-mm-dd hh:mm, seconds optional (empty: the copy takes the time "
    "selection, sound the screen on display)";
inline constexpr char kPeriodNotReadable[] = "The selected period is not readable: type yyyy-mm-dd hh:mm[:ss] in both boxes";
inline constexpr char kNoPeriodToCopy[] =
    "No period to copy: set a time selection in the display (right-click), or type the period in both boxes";
inline constexpr char kNoFileToCopy[] = "Open the files to copy first";

// Sound.
inline constexpr char kSoundTooLong[] = "At most 2 minutes can be played or saved at a time";
inline constexpr char kPitchHint[] = "Click for a higher pitch (1 to 8)";
inline constexpr char kLengthHint[] = "Click to change how often each wave is repeated (stretch 1 to 4)";
inline constexpr char kPlayHint[] = "Play the selected period of the action file (or File 2), slowed and lowered";
inline constexpr char kCreateWavHint[] = "Save the selected period of the action file as a 500 kHz WAV file";


// The display's popup menu (ZoomMenu) and the pointer's messages.
inline constexpr char kZoomInItem[] = "Zoom in";
inline constexpr char kZoomOutItem[] = "Zoom out";
inline constexpr char kShowEarlierItem[] = "Show earlier";
inline constexpr char kShowLaterItem[] = "Show later";
inline constexpr char kSelectFileItem[] = "Select file for action";
inline constexpr char kSelectionStartItem[] = "Set selection start";
inline constexpr char kSelectionEndItem[] = "Set selection end";
inline constexpr char kClearSelectionItem[] = "Clear selection";
inline constexpr char kSaveTimePointItem[] = "Save time point";
inline constexpr char kGoToTimePointItem[] = "Go to saved time point";
inline constexpr char kMarkCallsItem[] = "Mark calls shown before pointer";
inline constexpr char kUnmarkCallsItem[] = "    remove marks shown before pointer";
inline constexpr char kPasteRawItem[] = "    Put raw sound data into clipboard";
inline constexpr char kPasteCallsItem[] = "    Put call parameters into clipboard";
inline constexpr char kTimeToMemoItem[] = "    Put time into results memo";
inline constexpr char kNoFileForAction[] =
    "No file selected for action.  Right click in file area and select for action";
// Our own: low-resolution screens summarise minutes and draw no single wave group or call.
inline constexpr char kPasteNeedsHighRes[] =
    "The clipboard lists are made from high resolution screens: zoom in first";
inline constexpr char kSelectedSlotButtonPrefix[] = "File";
inline constexpr char kSelectedSlotButtonSuffix[] = ": Light, Temperature, Battery values";

// The program's own options, answered before any window or display is needed.
// Files named on the command line (or by a file manager) that cannot be opened at start.
inline constexpr char kStartNoSlotFree[] = "No slot free for ";
inline constexpr char kStartNotAFile[] = " is not a file that can be read (a folder, a device or a pipe)";
inline constexpr char kStartUnknownOption1[] = "zorvel: unknown option ";
inline constexpr char kStartUnknownOption2[] =
    " (a file whose name begins with \"-\" goes after \"--\", or write ./NAME)";

inline constexpr char kUsage[] =
    "Usage: zorvel [--open FILE...] [FILE...] [-- FILE...]\n"
    "       zorvel --screenshot OUT.png [--open FILE...] [--size WxH] [--page NAME] [--level N]\n"
    "       zorvel --help | --version\n"
    "\n"
    "The desktop program for Zorvel bat-logger data. --open opens the data files at start;\n"
    "--screenshot draws the window into a PNG file without a display and exits.\n"
    "zorvel-cli does the same work without a window (zorvel-cli --help).\n";
inline constexpr char kProgramVersionPrefix[] = "zorvel ";

}  // namespace zorvel::ui::msg
