// Every text that the data-file code shows or writes, in one place.
#pragma once

#include <string_view>

namespace zorvel::msg {

// Opening and closing files.
inline constexpr std::string_view kSdCardFile = "This is an SDcard file that can be read via the 'Read SD' page";
inline constexpr std::string_view kFileTypeNotRecognised = "File type not recognised ";
inline constexpr std::string_view kNotOpenedSuccessfully = " not opened successfully.";
inline constexpr std::string_view kTooSmallToHoldData = " is too small to hold any data ";
inline constexpr std::string_view kTooFewBytes = "Too few bytes read from file";
inline constexpr std::string_view kReMapped = " re-mapped";
inline constexpr std::string_view kNoFileSelected =
    "No file selected for action.  Right click in file area and select for action";
inline constexpr std::string_view kNoSlotFree = "No slot free for another file.  Closing File1";
inline constexpr std::string_view kContinueWithSelection =
    "Do you wish to continue with the present time selection?\r\nNO will show the whole duration of open files";
inline constexpr std::string_view kOpenDialogTitle = "Open Zorvel data file";
inline constexpr std::string_view kOpenSetDialogTitle = "Open Zorvel data file set";
inline constexpr std::string_view kWavIndexNotFound1 = "Index of source .wav files ";
inline constexpr std::string_view kWavIndexNotFound2 = " not found in same directory as ";
// "<file>: the header's FirstLoggedMin holds 2147483632, not a minute of the years 1899 to 2200;
// the file is not opened"
inline constexpr std::string_view kImplausibleMinute1 = ": the header's ";
inline constexpr std::string_view kImplausibleMinute2 = " holds ";
inline constexpr std::string_view kImplausibleMinute3 =
    ", not a minute of the years 1899 to 2200; the file is not opened";

// Captions of the open button, the window title and the slot labels.
inline constexpr std::string_view kOpenUnrelatedNone = "Open up to 6 unrelated files";
inline constexpr std::string_view kOpenUpTo = "Open up to ";
inline constexpr std::string_view kFilesSuffix = " files";
inline constexpr std::string_view kAllSlotsInUse = "(all file slots in use)";
inline constexpr std::string_view kWindowTitlePrefix = "Zorvel.exe  ";
inline constexpr std::string_view kSkipOn = "Skip on ";

// Record reader.
inline constexpr std::string_view kWritebackFailed = "Writeback failed";
inline constexpr std::string_view kTerminationMarker1 = "File error: Termination marker found ";
inline constexpr std::string_view kTerminationMarker2 = " minutes before file end ";
inline constexpr std::string_view kRecordIdError = " Record identifier error. View ErrorMemo later";
inline constexpr std::string_view kRecordIdErrorAtMinute = " Record identifier error at minute = ";
inline constexpr std::string_view kRunErrorCode = "Run error \tCode ";
inline constexpr std::string_view kRecordIdentifierIs = "Record identifier  = ";
inline constexpr std::string_view kSameTime = "2 wave groups with same time  ";
inline constexpr std::string_view kWaveGroupAt = "Wave group at";
inline constexpr std::string_view kPrecedesPreviousBy = " precedes previous by";
inline constexpr std::string_view kFiveMicrosecs = " * 5 microsecs";

// Header writes.
inline constexpr std::string_view kNoTimeSelection = "No time selection exists at present";
inline constexpr std::string_view kHeaderWriteFailed = ": the header could not be written (read-only or missing file)";
inline constexpr std::string_view kBeyondTimeLimits = "Time range goes beyond time limits of this file. \r\nNo change made.";

// Minute maps.
inline constexpr std::string_view kDateRangeTooGreat = "File date range is too great ...";
inline constexpr std::string_view kIoErrorMapfile = "IO error: mapfile";
inline constexpr std::string_view kNotValidWillClose = " is not valid and will be closed";
inline constexpr std::string_view kMappingFile = "... mapping file: ";
inline constexpr std::string_view kIoErrorWritingMap = "IO error writing map file";
inline constexpr std::string_view kMapAmendedHeader = " File map amended header: ";
inline constexpr std::string_view kIoErrorMoveAll = "I/O error in MoveAllFilePosn ";
inline constexpr std::string_view kMinStarts1 = "MinStarts ";
inline constexpr std::string_view kMinStarts2 = "  <";
inline constexpr std::string_view kMinStarts3 = " in OFsF";
// What a map learnt about a file that a command should say before it reads on.
inline constexpr std::string_view kEndsEarly = "the file ends early: its records stop without an end record after ";
inline constexpr std::string_view kEndsEarlyMinutes = " minutes";
inline constexpr std::string_view kNoMinutes = "the file holds no minutes: no minute record follows its header";

// Outputs refused and inputs that are no regular file (OutputGuard): "<path>: <reason>".
inline constexpr std::string_view kOutputIsInput =
    "is one of this command's inputs; it is not written over (choose another name)";
inline constexpr std::string_view kOutputIsDataFile =
    "is named as a data file, minute map or minute summary; a text or sound output is not written there";
inline constexpr std::string_view kOutputIsSidecar =
    "is named as a minute map or minute summary; a data file is not written there";
inline constexpr std::string_view kOutputInsideInput =
    "is, or lies inside, a folder this command reads from; its files are not written there";
inline constexpr std::string_view kOutputIsFolder = "is a folder; the output needs a file name";
inline constexpr std::string_view kNotRegularFifo = "is a named pipe (FIFO), not a regular file";
inline constexpr std::string_view kNotRegularDevice = "is a device, not a regular file";
inline constexpr std::string_view kNotRegularSocket = "is a socket, not a regular file";
inline constexpr std::string_view kNotRegularOther = "is not a regular file";
inline constexpr std::string_view kDanglingLink = "is a link whose target does not exist";
inline constexpr std::string_view kLoopingLink = "is a link that loops (too many levels of links)";

// "<N> of <M>": the closing line of a command or run that processed several files ("<N> of <M>
// files failed"); the report's page numbers and the Survey page's count say it too.
inline constexpr std::string_view kOfFiles = " of ";
inline constexpr std::string_view kFilesFailed = " files failed";

// A file named on a command line (a data file, a survey) that is not there: "<path>: no such file".
inline constexpr std::string_view kNoSuchFile = "no such file";

}  // namespace zorvel::msg
