// Every text that the call finder shows or writes, in one place.
#pragma once

#include <string_view>

#include "core/Messages.h"

namespace zorvel::cfmsg {

// Minute-level notices.
inline constexpr std::string_view kCallLimit1 = "Limit on number of calls in 1 minute reached (";
inline constexpr std::string_view kCallLimit2 = ")";
inline constexpr std::string_view kOctetLimit = "OctThisMin > High(OctArr) in ";
inline constexpr std::string_view kMinuteRead1 = "MinN   aNumRead ...  NrecsInMin ";
inline constexpr std::string_view kMinuteRead2 = "aNumRead <> NrecsInMin ";
inline constexpr std::string_view kFirstMinuteEmpty = "(Fs[1].MinStarts[1] - Fs[1].MinStarts[0]) =   ";

// The batch.
inline constexpr std::string_view kNoFilesSelected = "No files selected";
inline constexpr std::string_view kNoFilesFound = "No files found";
inline constexpr std::string_view kSummaryHeader = "File\tdays\twaves(excBz)\tCalls\tBuzzCalls";
inline constexpr std::string_view kLoThresh = "LoThresh";
inline constexpr std::string_view kHiThresh = "HiThresh";
inline constexpr std::string_view kZV2Exists = "ZV2 exists";
inline constexpr std::string_view kTooSmallForCall = "too small to contain a call";
// Why a file failed, after its path and a tab on the Results page.
inline constexpr std::string_view kNotFound = "file not found";
inline constexpr std::string_view kNotZV1 = "not a ZV1 file";
inline constexpr std::string_view kNotOpened = "could not be opened";
inline constexpr std::string_view kNotValid = "not a valid data file";
inline constexpr std::string_view kNoMinutes = "holds no minute records";
inline constexpr std::string_view kZV2NotWritten = "the ZV2 file could not be written: ";
inline constexpr std::string_view kInputChanged = "the file changed while it was read; no ZV2 file was kept";
inline constexpr std::string_view kExportNotWritten = "the classifier export file could not be written: ";
inline constexpr std::string_view kUnknownError = "write failed";
// "2 of 5 files failed"
inline constexpr std::string_view kFilesFailed = msg::kFilesFailed;
inline constexpr std::string_view kFailedToCreateZV2 = "Failed to create ZV2 file ";
inline constexpr std::string_view kProcessAborted = "X ---------   Process aborted  --------- X";
inline constexpr std::string_view kFilePrefix = "File ";
inline constexpr std::string_view kOf = " of ";
inline constexpr std::string_view kFindingCallsIn = "Finding calls in ";
inline constexpr std::string_view kProcessEnds = "Process ends:  ";
inline constexpr std::string_view kTitleFilePrefix = "Zorvel: File ";
inline constexpr std::string_view kTitleProcessEnds = "Zorvel: file process ends ";
inline constexpr std::string_view kTitleCompleted = "Zorvel completed";
inline constexpr std::string_view kFilesProcessed = "Files processed\t";
inline constexpr std::string_view kSummaryOnResults = "Summary on Results page";
inline constexpr std::string_view kSomeFilesFailed =
    "Some files could not be processed .... see Results page";
inline constexpr std::string_view kCallFindingAborted = "Call finding process aborted";
inline constexpr std::string_view kCallFindingCompleted = "Call finding process completed";
inline constexpr std::string_view kFileProcessingCompleted = "File processing completed";
inline constexpr std::string_view kLinesOnClipboard = " lines of data are on the clipboard";
inline constexpr std::string_view kOpenDialogFilter = "Zorvel ZV1 files";
inline constexpr std::string_view kOpenDialogTitle = "Select one or more *ZV1 files to process";

// The outside-classifier export.
inline constexpr std::string_view kFailedToCreateFile = "Failed to create file ";
inline constexpr std::string_view kExportHeader =
    "Call.MaxIPIrise\tCall.MaxIPIfall\tCall.MaxIPIfallKHZ\tCall.MaxIPIriseKHZ\tCall.RisingIPIindex\t"
    "Call.Duration100Musecs\tCall.Fsum\tCall.Fav\tCall.Fmin\tCall.Fmax\tCall.Fstart\tCall.Fend\tCall.Frange\t"
    "Call.MinSlopeKHZ\tCall.Flat1KHZ  \tCall.DBkhz\tCall.UBkhz\tCall.DBSharp\tCall.UBSharp\tCall.ModalKHZ\t"
    "Call.MedianKHZ\tCall.BodyHiKhz\tCall.BodyLoKhz\tCall.BodyRnge\tCall.BodyDivRnge\tCall.HmicScore\tCall."
    "Seq\t"
    "Call.nSelOctInCall\tCall.Nmissing\tCall.BestFlatIPI\tCall.preEndSlope\tCall.avIPIchangePerMsec\t"
    "Call.avKHZchangePerMsec\tCall.avBodyIPIchangePerMsec\tCall.SecondHalfIPIchangePerMsec\t"
    "Call.FirstQtrIPIchangePerMsec\tCall.LastQtrIPIchangePerMsec\tCall.EndQtrIPIratio\tCall."
    "ZeroedRisingIndex\t"
    "Call.SeqOctPercentFitSum\tCall.GapToPriorCall\tCall.GapToNextCall\tLabel";
inline constexpr std::string_view kDefaultExportLabel = "SoPip";

}  // namespace zorvel::cfmsg
