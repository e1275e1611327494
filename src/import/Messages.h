// Every text that the SD card import and the position parser show or write, in one place.
#pragma once

#include <string_view>

namespace zorvel::msg {

// Choosing the SD card file (the window's dialog).
inline constexpr std::string_view kOpenNxqTitle = "Open any .NXQ file on SD card";
inline constexpr std::string_view kNoNxqFileSelected = "no file selected";

// Finding the files.
inline constexpr std::string_view kNoFirstFile =
    "No file with a valid name for the first file in a series exists";
// Our own: why no first file was found, said after "No file with a valid name …" and ": ".
inline constexpr std::string_view kNoLoggerFiles = " holds no logger files (no .NXQ file at all)";
inline constexpr std::string_view kNoFirstOfSeries1 = " holds ";
inline constexpr std::string_view kNoFirstOfSeries2 =
    " logger file(s), but none is the first file of a series (such as 0BAT000.NXQ or ZORVEL0.NXQ)";
inline constexpr std::string_view kDoesNotExist = " does not exist";
inline constexpr std::string_view kCannotBeListed = " cannot be listed";
inline constexpr std::string_view kReadingSeries = "Reading series\t";
inline constexpr std::string_view kFailedToOpen = "Failed to open ";
inline constexpr std::string_view kReadingFile = "Reading file ";
inline constexpr std::string_view kReading = "Reading ";
inline constexpr std::string_view kFailedToOpenZv1 = "Failed to open ZV1 file";
inline constexpr std::string_view kFailedToOpenSuffix = "failed to open";
inline constexpr std::string_view kPerDaySuffix = " /m";
inline constexpr std::string_view kReadingCompleted = "SD card reading completed";

// Creating a ZV1 file.
inline constexpr std::string_view kHeaderBlank = " header blank, no file created";
inline constexpr std::string_view kSaveZv1Title = "Save Zorvel data file to PC as *.ZV1 file ";
inline constexpr std::string_view kSaveZv1Filter = "Zorvel data file (*.ZV1)";
inline constexpr std::string_view kFailedToCreateTab = "Failed to create \t";
inline constexpr std::string_view kFailedToCreate = "Failed to create ";
inline constexpr std::string_view kFailedToSelectZv1 = "Error\tFailed to select ZV1 file name";
inline constexpr std::string_view kFileNameTag = " ZORVEL_";
inline constexpr std::string_view kFileNameFile = " file";
inline constexpr std::string_view kPartSuffix = " part";
// Our own: a ZV1 file that could not be written whole (a full or vanished disk).
inline constexpr std::string_view kFailedToWriteTab = "Failed to write \t";
// Our own: why a ZV1 file could not be made, said beside "Failed to open ZV1 file".
inline constexpr std::string_view kHeaderBlankReason =
    ": the logger file's header is blank, no ZV1 file made";
inline constexpr std::string_view kHeaderShortReason = ": the logger file is too short to hold a header";
inline constexpr std::string_view kCannotCreate = "cannot create ";
inline constexpr std::string_view kNoNameChosen = "no file name was chosen";
// "<Field> text is N characters; the header holds W".
inline constexpr std::string_view kLatitudeField = "Latitude";
inline constexpr std::string_view kLongitudeField = "Longitude";
inline constexpr std::string_view kLocationField = "Location";
inline constexpr std::string_view kNotesField = "Notes";
inline constexpr std::string_view kUtcField = "UTC offset";
inline constexpr std::string_view kTextIs = " text is ";
inline constexpr std::string_view kCharactersHeaderHolds = " characters; the header holds ";

// Our own: a card file that cannot be read, "<path>: <reason>".
inline constexpr std::string_view kTooShortForHeader1 = ": too short to hold a logger header (";
inline constexpr std::string_view kTooShortForHeader2 = " bytes; the header alone is 512)";
inline constexpr std::string_view kImpossibleStartDate =
    ": its header's start date is not a date from 2000 to 2099; the card file is not read";
inline constexpr std::string_view kCouldNotOpenReason = ": could not be opened";
// Our own: the end of an import that could not read every card file.
inline constexpr std::string_view kCardFilesFailed = " card file(s) could not be read";

// Our own: an output folder that cannot take the ZV1 files, "the folder <path> cannot be …: <why>".
inline constexpr std::string_view kTheFolder = "the folder ";
inline constexpr std::string_view kCannotBeMade = " cannot be made: ";
inline constexpr std::string_view kCannotBeWritten = " cannot be written: ";

// Copying records.
inline constexpr std::string_view kTimeSeqError = "Time seq error at \t";
inline constexpr std::string_view kImpossibleRecId = "Impossible rec ID = ";

// Closing a ZV1 file.
inline constexpr std::string_view kTooSmallToHoldDataTab = "too small to hold data";
inline constexpr std::string_view kFileTooSmall = "File too small to hold data.";
inline constexpr std::string_view kFreeTab = "free\t";


// Position parser.
inline constexpr std::string_view kMisplacedLabel = "misplaced label";
inline constexpr std::string_view kLatCannotBe = "Lat cannot be ";
inline constexpr std::string_view kLongCannotBe = "Long cannot be ";
inline constexpr std::string_view kTooManyNumbers = "too many numbers";
inline constexpr std::string_view kDegLabelMisplaced = "deg label misplaced";
inline constexpr std::string_view kSecLabelMisplaced = "sec label misplaced";
inline constexpr std::string_view kMinLabelMisplaced = "min label misplaced";
inline constexpr std::string_view kDegreeTypeConflict = "Degree type conflict";
inline constexpr std::string_view kDegTooBig = "Deg too big";
inline constexpr std::string_view kMinTooBig = "Min too big";
inline constexpr std::string_view kMinTooLong = "Min too long";
inline constexpr std::string_view kTooManyDecSeparators = "too many dec separators";
inline constexpr std::string_view kMinTypeConflict = "Min type conflict";
inline constexpr std::string_view kSecTooBigOrLong = "Sec too big or long";
inline constexpr std::string_view kSecDecimal = "Sec decimal?";
inline constexpr std::string_view kValueOver180 = "Value > 180deg";
inline constexpr std::string_view kEMinusConflict = "E/- conflict";
inline constexpr std::string_view kNMinusConflict = "N/- conflict";
// Our own: a position given whole (not typed key by key) that a header should not hold.
inline constexpr std::string_view kNoPosition = "does not read as a position; write e.g. 51.0 or 51 30 N";
inline constexpr std::string_view kLatitudeBeyond90 = "beyond 90 degrees";
// The hint of the two position edits.
inline constexpr std::string_view kPositionHint =
    "decimal degrees, decimal minutes or decimal seconds with \".\" or \",\" as separator; whole degrees, "
    "minutes and seconds written as DDDMMSS without gaps, or with \"d\", \"m\", \"s\" identifiers, or with "
    "\":\" "
    "between them; a hemisphere letter, or a leading \"-\", for south and west";

}  // namespace zorvel::msg
