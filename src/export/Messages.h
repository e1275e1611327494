// Every text that the exports and listings show or write, in one place.
#pragma once

#include <string_view>

namespace zorvel::msg {

// Period count exports.
inline constexpr std::string_view kKindCaptions[4] = {"N of calls or waves", "Calls, temp and light",
                                                      "Species summary", "Species detection listing"};
inline constexpr std::string_view kReportSuffixes[4] = {" CallCounts.txt", " DetEnv.txt", " SpSummary.txt",
                                                        " SpDetections.txt"};
inline constexpr std::string_view kPeriodCaptions[5] = {"minutes", "hours", "days", "weeks", "all"};
inline constexpr std::string_view kSelectOpenFile = "Please select an open file (right) to export from";
inline constexpr std::string_view kFilePrefix = "File ";
inline constexpr std::string_view kDetectionsOnlyZV2 = ": Detections can only be exported from .ZV2 files";
inline constexpr std::string_view kExportingFileCaption = "...File ";
inline constexpr std::string_view kExportedTo = " exported to \t";
inline constexpr std::string_view kFileWord = "File";
inline constexpr std::string_view kExportDataFromCaption = "Export data from:";
inline constexpr std::string_view kExportingBatch = "Exporting data from batch of files";
inline constexpr std::string_view kNoFilesSelected = "No Files selected";
inline constexpr std::string_view kExportingFrom = "Exporting from ";
inline constexpr std::string_view kOf = " of ";
inline constexpr std::string_view kErrorTabTab = "ERROR\t\t";
inline constexpr std::string_view kBatchExportedTo = " exported to ";
inline constexpr std::string_view kZorvelCompletedBatch = "Zorvel completed        ";
inline constexpr std::string_view kBatchExportCompleted = "Batch export completed";
inline constexpr std::string_view kExportBatchCaption = "Export from batch of files";
inline constexpr std::string_view kDataExportCompleted = " Data export completed";
inline constexpr std::string_view kMinsInFirstPeriod = "Mins in first time period =\t";
inline constexpr std::string_view kMinsInLastPeriod = "Mins in last time period =\t";
inline constexpr std::string_view kNoCallFilters = "No call filters";
inline constexpr std::string_view kCountsInPeriods = "Counts in periods of ";
inline constexpr std::string_view kCountsInPeriodsTail = "mins.  Time shown is end of period";
inline constexpr std::string_view kValuesForPeriods = "Values for periods of ";
inline constexpr std::string_view kMins = "mins";
inline constexpr std::string_view kExpDataIoError = "ExpData file IO error ";
inline constexpr std::string_view kFailedToCreateReport = "Failed to create report file ";
inline constexpr std::string_view kReportNameFile = " file";
inline constexpr std::string_view kLoggerLabel = "Zorvel ";
inline constexpr std::string_view kVirtualLogger = "Virtual Zorvel";
// Ours: the time selection lies wholly outside a file's logged minutes.
inline constexpr std::string_view kSelectionOutsideFile = ": the time selection lies outside this file";

// Column headings.
inline constexpr std::string_view kHeadFileChunkEnd = "File\tChunkEnd\t";
inline constexpr std::string_view kHeadFile = "File\t";
inline constexpr std::string_view kUnitMinute = "Minute";
inline constexpr std::string_view kUnitJulianDay = "JulianDay";
inline constexpr std::string_view kKind0Words = "Nwaves\tnCalls\tMinsOn\tDuration";
inline constexpr std::string_view kKind1Words = "Nwaves\tNcalls\tDPM\tTemp\tLight\tMinsON\tDuration";
inline constexpr std::string_view kKind3Words = "Nwaves\tNcalls\tminutes\tdays";
inline constexpr std::string_view kKind2Heading =
    "File\tSpecies\ttotal Hi\ttotal ?\ttotal Low\tMax1m Hi\tMax1m ?\tMax1m Low\tall classes";

// The pass listing (ours).
inline constexpr std::string_view kPassesSuffix = " passes.txt";
inline constexpr std::string_view kPassHeading =
    "File\tStart\tEnd\tDurationSec\tCalls\tBuzzCalls\tSpecies\tConfidence\tSecondSpecies\tMedianPeakKHz";
inline constexpr std::string_view kPassesExportedTo = "Passes exported to:";
inline constexpr std::string_view kPassesListed = " passes listed";

// Detail listings.
inline constexpr std::string_view kTrue = "True";
inline constexpr std::string_view kFalse = "False";
inline constexpr std::string_view kCallTypeTexts[4] = {"???", "FM", "QCF", "CF"};
inline constexpr std::string_view kCallDetailsHeading =
    "File\ttime\ttemp\t5uS\tCallN\tSeq\tBuzz\tQtonal\tReverb\tCF_FM\tDuration "
    "ms\tFmin\tFmax\tFstart\tFend\tFrange\t"
    "ModalKHZ\tFav\tFbodyHi\tFbodyLo\tMinMinSlopeKHZ\tUpBend@\tUpSharp\tDownBend@"
    "\tDownSharp\tFlat1Khz\tFlat1Score\t"
    "Flat2Khz\tFlat2Score\tAmpAv\tNmissing\tnWaves";
inline constexpr std::string_view kCallDetailsSuffix = " call details.txt";
inline constexpr std::string_view kSelectDirectory =
    "Select a directory: ZV2 files will be processed in it, and in its sub-directories";
inline constexpr std::string_view kPleaseSelectDirectory = "Please select a directory";
inline constexpr std::string_view kNoFilesSelectedLower = "No files selected";
inline constexpr std::string_view kNotCreatedSuccessfully = " not created successfully";
inline constexpr std::string_view kExportingCallDetails = "Exporting call details from file ";
inline constexpr std::string_view kErrorTab = "ERROR\t";
inline constexpr std::string_view kClickDataExportedTo = "Click data exported to:";
inline constexpr std::string_view kFilesSuccessfullyRead = " files successfully read of ";
inline constexpr std::string_view kFilesSelected = " files selected.";
inline constexpr std::string_view kFileCallsExported = "file\tcalls exported";
inline constexpr std::string_view kExportComplete = "Export Complete";
// Our own: a call details export in which no file could be read writes nothing.
inline constexpr std::string_view kNoFileRead = "No file could be read, so nothing was written to ";

inline constexpr std::string_view kCalibrationTitle = "Select one or more files for calibration listing";
inline constexpr std::string_view kValuesAreDb = "Values are dB re ref wwww";
inline constexpr std::string_view kCalibrationHeadingStart = "File\tZorvelN";
inline constexpr std::string_view kKhz = "kHz";

inline constexpr std::string_view kFile1MustBeZV1 = "File 1 must be a ZV1 file";
inline constexpr std::string_view kTooFewWaves = "Too few waves found";
inline constexpr std::string_view kCalibrationOnClipboard = " waves: calibration data now on clipboard";
inline constexpr std::string_view kMicLineSeparator = "; ";

inline constexpr std::string_view kListingTitle = "Select one or more files for listing";
inline constexpr std::string_view kIncludeDeployment = "Include deployment information?";
inline constexpr std::string_view kFileTimesHeading =
    "FileName\tZorvel\tstarts\tends\tstartMin\tendMin\tLogdays\tFile MB";
inline constexpr std::string_view kDeploymentHeading =
    "\tLat\tLong\tLocation\tNotes\tUTC offset\tSpecies classifier";
inline constexpr std::string_view kErrorSpace = "ERROR ";
inline constexpr std::string_view kListFilesCaption = "List files";
inline constexpr std::string_view kZorvelCompletedList = "Zorvel completed             ";
inline constexpr std::string_view kListOnResultsPage = "Done!  List is on the Results page";

inline constexpr std::string_view kNoFileForActionUsingFile1 = "No file selected for action. Using File1";
inline constexpr std::string_view kWaitReadingFile = " ... wait ...reading File ";
inline constexpr std::string_view kMinuteValuesHeading =
    "File\tMin\tLight\tTemp\tBatused\tBat1v\tBat2v\tBat3v\tBat4v";
inline constexpr std::string_view kMinuteValuesCaptionEnd = ": Light, Temperature, Battery values";
inline constexpr std::string_view kResultsOnClipboard = "Results are on the clipboard";

inline constexpr std::string_view kOpenSettingsHeading =
    "File "
    "name\tZorvel\tGain\tFPGADeadBand\tHiPassFilter\tNoiseSuppressionDelay\tLongThreshold\tShortThreshold\t"
    ">160kLift\t<160kUplift\t<80kLift\t<40kLift\tUpliftIPI<\tIPIcountUplift\tADCdeadband\tPkDetMode\tBuild "
    "date\t"
    "MainBoardVersion\tPICcodeVersion\tFPGAcodeVersion\tMin kHz\tPreampVersion\tLight switch level\t"
    "BatterySwitchLevel\tMinsOffBetweenMinsON\tMonths asleep\tFile size limit";
inline constexpr std::string_view kMinKhz9 = "9kHz";
inline constexpr std::string_view kMinKhz17 = "17kHz";
inline constexpr std::string_view kMonthsNone = "none";
inline constexpr std::string_view kFileSizeLimits[6] = {"Unlimited", "10KB", "100MB", "1GB", "2GB", "3GB"};

inline constexpr std::string_view kListUserSettingsQuestion =
    "List user settings?\r\n(NO gives firmware information etc)";
inline constexpr std::string_view kFailedToRead = "Failed to read ";
inline constexpr std::string_view kSettingsCaption = "Settings";
inline constexpr std::string_view kZorvelCompletedSettings = "Zorvel completed          ";
inline constexpr std::string_view kUserSettingsHeading =
    "File "
    "name\tZorvel\tMaxLightLevel\tChunklimit\tChunksPerMin\tMinsOffBetweenMinsON\tGain\tBatterySwitchLevel\t"
    "DeadBand\tHiPassFilter\tNoiseSuppression\tLongThreshold\tShortThreshold\tOver160kUplift\tUnder160kUplift"
    "\t"
    "Under80kUplift\tUnder40kUplift";
inline constexpr std::string_view kFirmwareHeading =
    "File name\tZorvel\tBuild "
    "date\tMainBoardVersion\tPICcodeVersion\tFPGAcodeVersion\tPreampVersion\tLightSensor";

}  // namespace zorvel::msg
