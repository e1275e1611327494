// Every text that the file-set utilities show or write, in one place.
#pragma once

#include <string_view>

namespace zorvel::fileutils::msg {

// Button captions.
inline constexpr std::string_view kRenameSetBtn = "Rename file set";
inline constexpr std::string_view kRenameOneBtn = "Rename 1 file";
inline constexpr std::string_view kDeleteSetBtn = "Delete file set";
inline constexpr std::string_view kAddMinutesBtn = "Add minutes to start";
inline constexpr std::string_view kMinsToAddDefault = "1";
inline constexpr std::string_view kJoinBtn = "Join ZV1 files";
inline constexpr std::string_view kKeepGapsChk = "keep true times";
inline constexpr std::string_view kCopyJoinFirstFileChk = "copy first file";
inline constexpr std::string_view kCopyPeriodBtn = "Copy selected time period into new file(s)";
inline constexpr std::string_view kCopyPeriodBusy = "wait";
inline constexpr std::string_view kCropBtn = "Make copies cropped to same times";
inline constexpr std::string_view kCropBtnAfter = "Create copies with same time span";
inline constexpr std::string_view kCompletedLabel = "Zorvel completed             ";
inline constexpr std::string_view kSaveTextBtn = "Copy text in File 1 boxes into all open files and Save";
inline constexpr std::string_view kSaveTextBusy = ">>> SAVING >>> ";
inline constexpr std::string_view kSaveTextAfter = "Save / Paste text in File 1 boxes into all open files";

// Rename and delete.
inline constexpr std::string_view kNoFilesRenamed = "No files renamed";
inline constexpr std::string_view kSavePrefix = "Save ";
inline constexpr std::string_view kSaveSuffix = " as ..";
inline constexpr std::string_view kSavedAs = "Saved as ";
inline constexpr std::string_view kFailedRename1 = "FAILED to rename ";
inline constexpr std::string_view kFailedRename2 = ". \r\nNo change made";
inline constexpr std::string_view kFailedRenameFile = "FAILED to rename file. \r\nNo change made";
inline constexpr std::string_view kNoFileForAction = "No file selected for action";
inline constexpr std::string_view kDeleteQuestion1 =
    "Are you SURE you wish to permanently delete all files in the set '";
inline constexpr std::string_view kDeleteQuestion2 = "'\r\nThey will NOT be in the Recycle Bin";
inline constexpr std::string_view kNoFilesDeleted = "No files deleted";
// Our own: a rename never replaces a file without asking, and a failed delete is named.
inline constexpr std::string_view kReplaceQuestion1 = "A file named '";
inline constexpr std::string_view kReplaceQuestion2 = "' already exists. Replace it?";
inline constexpr std::string_view kFailedDelete = "FAILED to delete ";
inline constexpr std::string_view kShiftRefused = " cannot be shifted that far; file left unchanged";
inline constexpr std::string_view kHeaderNotWritten = "Could not write the header of ";

// Join.
inline constexpr std::string_view kFile1NotZV1 = "File 1 must be an open ZV1 file";
inline constexpr std::string_view kCopyFirstFile =
    "To create a copy of the first file:\r\nRight click the name in Explorer and select 'Copy'\r\nthen CTRL "
    "V to paste "
    "the copy into the same directory\r\nthen resume this process";
inline constexpr std::string_view kJoinDialogTitle = "Select one or more ZV1 files to append";
inline constexpr std::string_view kNoFilesSelected = "No files selected";
inline constexpr std::string_view kJoinHeading = "Action\tfile\tGapMins\tFirstLoggedMin\tLastLoggedMin";
inline constexpr std::string_view kFirstFile = "FirstFile\t";
inline constexpr std::string_view kListed = "listed\t";
inline constexpr std::string_view kAppended = "Appended\t";
inline constexpr std::string_view kNoneAfterFirst =
    "None of the files selected start after the open, first, file, so none have been appended.";
inline constexpr std::string_view kFilesAppended =
    " files appended.  Go to the Process page of the menu to create a new ZV2 file";
// Our own: files left out of the chain, and a join that could not be written.
inline constexpr std::string_view kLeftOut = "left out (overlaps)\t";
inline constexpr std::string_view kUnreadable = "ERROR\t";
inline constexpr std::string_view kJoinFailed = "Join not written, first file unchanged: ";
// Our own: spans that are refused before anything is written.
inline constexpr std::string_view kImplausibleSpan = ": header minutes cannot be trusted: ";
inline constexpr std::string_view kImplausibleFirst = ": first logged minute cannot be trusted: ";
inline constexpr std::string_view kSpanTo = " to ";
inline constexpr std::string_view kPlausibleYears = " (a file must lie within the years 1990 to 2200)";
inline constexpr std::string_view kGapTooLong1 = ": starts ";
inline constexpr std::string_view kGapTooLong2 = " minutes after the joined file ends (";
inline constexpr std::string_view kGapTooLong3 = "; this file starts ";
inline constexpr std::string_view kGapTooLong4 = "); gaps of more than 366 days are not joined";
inline constexpr std::string_view kNotZV1Name = ": not a ZV1 file (its name must end in .ZV1)";
inline constexpr std::string_view kSameAsFirst = ": is the first file itself";
inline constexpr std::string_view kNothingAppended = "no file could be appended";
inline constexpr std::string_view kNoRoom = "Not enough free space for ";
inline constexpr std::string_view kNeeded = " needed, ";
inline constexpr std::string_view kFree = " free";

// Period copies and crops.
inline constexpr std::string_view kPart = " PART ";
inline constexpr std::string_view kZV1Filter = "Zorvel data file (*.ZV1)";
inline constexpr std::string_view kFailedCopy = "Failed to write to copy file ";
inline constexpr std::string_view kShortCopyError = "I/O error in short copy";
inline constexpr std::string_view kOutsideFile = " does not hold the whole selected period; no copy made";
inline constexpr std::string_view kCopyIsSource = " would replace its own source; no copy made";
inline constexpr std::string_view kFile1MustBeOpen = "File 1 must be Open";
inline constexpr std::string_view kMakingCopies = "Making file copies";
inline constexpr std::string_view kCropDialogTitle = "Open ZV3 files to copy";
inline constexpr std::string_view kCopying = "Copying ";
inline constexpr std::string_view kOf = " of ";
inline constexpr std::string_view kCropError = "ERROR\t\t";
inline constexpr std::string_view kOutsideSpan = "starts later or ends earlier than target time span";
inline constexpr std::string_view kBatchCopyCompleted = "Batch copy completed";
inline constexpr std::string_view kSomeFilesFailed = "BUT .....  some Files could not be processed";

// Deployment texts.
inline constexpr std::string_view kTextOnFile1 = "Text changes must be made on File1";

}  // namespace zorvel::fileutils::msg
