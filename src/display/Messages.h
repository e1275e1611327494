// Every text the display shows, in one place.
#pragma once

#include <array>
#include <string_view>

namespace zorvel::msg {

// Zoom.
inline constexpr std::string_view kMaxResolution = "Display is already at maximum time resolution";
inline constexpr std::string_view kMinResolution = "Display is already at minimum time resolution";
inline constexpr std::string_view kNoFilesOpenFit = "No files Open";

// Ruler.
inline constexpr std::string_view kRulerZeroMs = "I   0 msecs";
inline constexpr std::string_view kRulerMsPrefix = "I   ";
inline constexpr std::string_view kRulerMsSuffix = "ms";
inline constexpr std::string_view kRulerPrefix = "I ";

// Legend labels and their hints.
inline constexpr std::string_view kLegendMaxFall = "MaxFall";
inline constexpr std::string_view kLegendMaxRise = "MaxRise";
inline constexpr std::string_view kLegendMinSlope = "MinSlope";
inline constexpr std::string_view kLegendUpBend = "upBend";
inline constexpr std::string_view kLegendDownBend = "downBend";
inline constexpr std::string_view kLegendCF = "tcCF";
inline constexpr std::string_view kLegendNearCF = "nearCF";
inline constexpr std::string_view kHintMaxFall =
    " the steepest fall in frequency. (the 1st order positive differential of wavelength/time) If a constant "
    "frequency section occurs a further 'MaxFall' may be defined";
inline constexpr std::string_view kHintMaxRise =
    " the steepest rise in frequency. (the 1st order negative differential of wavelength/time)";
inline constexpr std::string_view kHintMinSlope = " the nearest to constant frequency.";
inline constexpr std::string_view kHintUpBend =
    " the maximum rate of increase of the rate of increase of wavelength. (the 2nd order positive "
    "differential of "
    "wavelength/time)";
inline constexpr std::string_view kHintDownBend =
    " the maximum rate of decrease of the rate of increase of wavelength. (the 2nd order negative "
    "differential of "
    "wavelength/time)";
inline constexpr std::string_view kHintCF = " part of call with constant frequency.";
inline constexpr std::string_view kHintNearCF = " part of call that has a low rate of frequency change.";

// Y-axis choices, in the order of a file's type list.
inline constexpr std::string_view kAxisItemFreq = "Frequency       F9";
inline constexpr std::string_view kAxisItemPeriod = "Period     Shift F9";
inline constexpr std::string_view kAxisItemAmplitude = "Amplitude      F10";
inline constexpr std::string_view kAxisItemCallType = "Call Type";
inline constexpr std::string_view kAxisItemBattery = "Battery levels /kHz";
inline constexpr std::string_view kCallTypesOnlyZV2 = "Call types are only available from ZV2 files";

// Axis titles.
inline constexpr std::string_view kTitleKHz = "kHz";
inline constexpr std::string_view kTitlePeriod = "Period us.";
inline constexpr std::string_view kTitleSPL = "SPL - raw value (0-255)";
inline constexpr std::string_view kTitleCallTypeHi = "Period us. Call type colors.";
inline constexpr std::string_view kTitleAmplitudeLo = "amplitude";
inline constexpr std::string_view kTitleCallTypesLo = "Call types. Calls/min";
inline constexpr std::string_view kBinIn = " in ";
inline constexpr std::string_view kBinMin = "min bins    ";
inline constexpr std::string_view kBinHr = "hr bins    ";
inline constexpr std::string_view kBinWeek = " in 1week bins    ";
inline constexpr std::string_view kUnitKHz = "kHz";
inline constexpr std::string_view kUnitUs = "us";
inline constexpr std::string_view kUnitN = "n";

// Screen captions and battery labels.
inline constexpr std::string_view kHighResCaption = "High resolution: details of calls";
inline constexpr std::string_view kLowResCaption = "Low resolution: counts of calls";
inline constexpr std::string_view kBatteryStack1 = "Battery stack 1";
inline constexpr std::string_view kBatteryStack2 = "Battery stack 2";
inline constexpr std::string_view kBatteryStack3 = "Battery stack 3";
inline constexpr std::string_view kExternalBattery = "External battery";
inline constexpr std::string_view kLineWidthPrefix = "thicker lines + ";

// File labels.
inline constexpr std::string_view kZorvelPrefix = "Zorvel ";
inline constexpr std::string_view kVirtualZorvel = "Virtual Zorvel";
inline constexpr std::string_view kStartPrefix = "Start ";
inline constexpr std::string_view kEndPrefix = "End  ";
inline constexpr std::string_view kSpFrom = "Sp from ";

// Navigation.
inline constexpr std::string_view kNoFilesOpen = "No files open";
inline constexpr std::string_view kNoLaterData = "No later data";
inline constexpr std::string_view kMapping = "mapping";
inline constexpr std::string_view kNoSeekFile = "  No seek file selected - see check boxes at top of screen.";
inline constexpr std::string_view kFastForwardNeedsSeek =
    "Fast forward requires one open file\r\nto be set as the seek file";
inline constexpr std::string_view kNoMoreClicks = "no more clicks in File ";
inline constexpr std::string_view kFormatError =
    "Format error. \r\nTry dragging the slider on the bar above the display, and then zooming in";
inline constexpr std::string_view kFile1MustBeOpen = "File 1 must be Open... then try again";
inline constexpr std::string_view kTimeNotInRange = " Time not within range currently in use";
inline constexpr std::string_view kCurrentFiltersExcludeAll = "Current filters will exclude all calls";

// File graphs.
inline constexpr std::array<std::string_view, 13> kGraphTypeCaptions{
    "DielN Calls/waves", "kHz dwell time", "Spectrum", "kHz max Energy", "Max kHz", "Min kHz", "MaxSlope",
    "Min Slope", "Flats: kHz", "Bend up: kHz", "Bend down: kHz", "Amplitude", "Duration"};
inline constexpr std::string_view kSetAllGraphsToF1 = "Set all graph types to File1 type";
inline constexpr std::string_view kNoLoggingInPeriod = "No logging in time period displayed";
inline constexpr std::string_view kDataFrom = " data from ";
inline constexpr std::string_view kModalDuration = "Modal duration ";
inline constexpr std::string_view kModalDurationMid = "ms.  (N at mode ";
inline constexpr std::string_view kModalDurationEnd = ")";
inline constexpr std::string_view kModalAmplitude = "Modal amplitude  ";
inline constexpr std::string_view kModalAmplitudeMid = " SPL  (N at mode  ";
inline constexpr std::string_view kModalFrequency = "Modal frequency ";
inline constexpr std::string_view kModalFrequencyMid = "kHz.  (N at mode ";
inline constexpr std::string_view kModalEnd = ")   ";
inline constexpr std::string_view kLessThan2Minutes = "Less than 2 minutes of data    ";
inline constexpr std::string_view kMinutesOfData = " minutes of data    ";
inline constexpr std::string_view kHoursOfData = " hours of data    ";
inline constexpr std::string_view kDaysOfData = " days of data    ";
inline constexpr std::string_view kLessThan2MinutesPadded = "Less than 2 minutes of data        ";
inline constexpr std::string_view kMinutesOfDataPadded = " minutes of data           ";
inline constexpr std::string_view kHoursOfDataPadded = " hours of data             ";
inline constexpr std::string_view kDaysOfDataPadded = " days of data              ";
inline constexpr std::string_view kNWaves = "N waves = ";
inline constexpr std::string_view kNOfCalls = "N of calls = ";
inline constexpr std::string_view kCountTail = "        ";
inline constexpr std::string_view kDielCaption = "10minute counts of wave groups, centered on midnight         ";
inline constexpr std::string_view kAxisMs = "ms   ";
inline constexpr std::string_view kAxisAmplitude = "amplitude";
inline constexpr std::string_view kAxisKHz = "kHz";
inline constexpr std::string_view kAxisTick = "| ";
inline constexpr std::string_view kHourLabelTail = "   ";

// Results summary.
inline constexpr std::string_view kAnalysing = "analysing ";
inline constexpr std::string_view kResultsInGraphs = " results in graphs";
inline constexpr std::string_view kFileDurationAnalysed = "File duration analysed: ";
inline constexpr std::string_view kAcousticDuration = "Acoustic duration: ";
inline constexpr std::string_view kWavesTail = " Waves  ";
inline constexpr std::string_view kCallsTail = " Calls  ";
inline constexpr std::string_view kPerHour = "/hr";
inline constexpr std::string_view kDPMperDay = "DPM per day ";
inline constexpr std::string_view kOnMins = "On Mins\t";
inline constexpr std::string_view kFileSizePrefix = "File: ";
inline constexpr std::string_view kMB = "MB";
inline constexpr std::string_view kOneGbLasts = "32GB lasts ";
inline constexpr std::string_view kYears = "yrs";
inline constexpr std::string_view kStack = "Stack ";
inline constexpr std::string_view kNilBattery = "nil, ";
inline constexpr std::string_view kTruncated = "% truncated";
inline constexpr std::string_view kTruncatedInZV1 = "% truncated in ZV1";
inline constexpr std::string_view kCallFiltersZV1 = "Call filters: File is a ZV1 file - no call defined";
inline constexpr std::string_view kPassFilters = "Pass filters: ";
inline constexpr std::string_view kMeanTemp = "Mean temp ";
inline constexpr std::string_view kMemoFM = "tcFM\t";
inline constexpr std::string_view kMemoQCF = "tcQCF\t";
inline constexpr std::string_view kMemoCF = "tcCF\t";
inline constexpr std::string_view kMemoUnclass = "Unclass\t";
inline constexpr std::array<std::string_view, 3> kTypeLegend{"FM", "QCF", "CF"};
inline constexpr std::string_view kAnalyze = "Analyze";
inline constexpr std::string_view kFileRadioGroup = " file ";
// Pointer and keys.
inline constexpr std::string_view kUnderPointer = "  (under pointer)";
inline constexpr std::string_view kVersionCaption = "Zorvel.exe version date: 06 Dec 2024";
inline constexpr std::string_view kHr = " hr";
inline constexpr std::string_view kMs = " ms";
inline constexpr std::string_view kSPL = " SPL";
inline constexpr std::string_view kKHz = " kHz";
inline constexpr std::string_view kTemp = " Temp: ";
inline constexpr std::string_view kDegC = "degC  ";
inline constexpr std::string_view kLight = " Light: ";
inline constexpr std::string_view kVolts = " volts ";
inline constexpr std::string_view kCentreMark = " *|* ";
inline constexpr std::string_view kValueKHz = " kHz ";
inline constexpr std::string_view kValueUs = " us  ";
inline constexpr std::string_view kValueSPL = " SPL  ";
inline constexpr std::string_view kValueCount = " n/min  ";
inline constexpr std::string_view kCallPrefix = " Call: ";
inline constexpr std::string_view kCallTo = " to ";
inline constexpr std::string_view kCallMinSlope = "kHz  MinSlope@ ";
inline constexpr std::string_view kCallKHz = "kHz";
inline constexpr std::string_view kCallSp = " Sp: ";
inline constexpr std::string_view kCallDuration = " Duration ";
inline constexpr std::string_view kMemoSpeciesHeading = "Species\tCalls\tPasses";  // ours
inline constexpr std::string_view kCallConfidence = " conf ";      // ours: confidence 0 … 15
inline constexpr std::string_view kCallSecondSpecies = " or ";     // ours: the second species
inline constexpr std::string_view kCallSeq = "mS  Seq ";
inline constexpr std::string_view kF5NoSlot =
    "When the pointer is within the display area of a file F5 will reduce the scale of the parameter on "
    "display";
inline constexpr std::string_view kF6NoSlot =
    "When the pointer is within the display area of a file F6 will increase the scale of the parameter on "
    "display";

// The time selection.
inline constexpr std::string_view kRange = "Range";
inline constexpr std::string_view kRangePrefix = "Range ";
inline constexpr std::string_view kSelectionSuffix = " (selection)";
inline constexpr std::string_view kFullRangeSuffix = " (full range)";
inline constexpr std::string_view kFrom = "From:";
inline constexpr std::string_view kFromPrefix = "From: ";
inline constexpr std::string_view kTo = "To:";
inline constexpr std::string_view kToPrefix = "To:    ";
inline constexpr std::string_view kSelectionHint = "Selection: ";
inline constexpr std::string_view kSelectionHintTo = "  to  ";

// The clipboard lists of the popup menu: a tab-separated table of what one file shows.
inline constexpr std::string_view kPasteRawHeader =
    "file\tMin\t5uS\tavF\tSPL\tScore\tAMP1\tAMP2\tAMP3\tAMP4\tAMP5\tAMP6\tAMP7\tAMP8\tIPI1\tIPI2\tIPI3\tIPI4\t"
    "IPI5\tIPI6\tIPI7\tIPI8";
inline constexpr std::string_view kPasteCallHeaderFile = "file\t";
inline constexpr std::string_view kPasteCallHeaderFields =
    "Min\t5uS\tCallN\tCall type\tSp1\tSp2\tSp3\tBuzz\tReverb\tDuration\tSeq\tNwave groups\tavScore\tFmin\tFmax\t"
    "Fstart\tFend\tFrange\tModalKHZ\tMedianKHZ\tFav\tFbodyHi\tFbodyLo\tMinSlopeKHZ\tUpBend@\tUpSharp\t"
    "DownBend@\tDownSharp\tFlat1Khz\tFlat1Score\tFlat2Khz\tFlat2Score\tAmpAv";
inline constexpr std::string_view kPasteTrue = "True";
inline constexpr std::string_view kPasteFalse = "False";
inline constexpr std::string_view kPasteLineEnd = "\r\n";

}  // namespace zorvel::msg
