// Every text that reading recordings and making data files from them shows or writes.
#pragma once

#include <string_view>

namespace zorvel::msg::rec {

// WAV layout.
inline constexpr std::string_view kNotRiff = "not a RIFF file";
inline constexpr std::string_view kNotWave = "a RIFF file but not WAVE";
inline constexpr std::string_view kNoFmt = "no fmt chunk";
inline constexpr std::string_view kNoData = "no data chunk";
inline constexpr std::string_view kFmtTooShort = "fmt chunk shorter than 16 bytes";
inline constexpr std::string_view kNoChannels = "0 channels";
inline constexpr std::string_view kNoRate = "sample rate 0 Hz";
// "sample rate 4294967295 Hz cannot be right: …"
inline constexpr std::string_view kRateTooHigh1 = "sample rate ";
inline constexpr std::string_view kRateTooHigh2 =
    " Hz cannot be right: no recorder samples faster than 5000000 Hz";
inline constexpr std::string_view kBadBlockAlign = "block alignment does not fit the channels and sample size";
inline constexpr std::string_view kBadBits = "sample size not readable";
inline constexpr std::string_view kCompressed = "compressed format refused: ";
inline constexpr std::string_view kNoSamples = "holds no samples";
inline constexpr std::string_view kNoSuchChannel = "has no channel ";
inline constexpr std::string_view kDataStillOpen = "data size not written (the recorder was still writing): read to the end of the file";
inline constexpr std::string_view kDataTruncated = "data cut short: read what is there";
inline constexpr std::string_view kChunkPastEnd = "a chunk runs past the end of the file: the rest is ignored";
inline constexpr std::string_view kCannotOpen = "cannot be opened";
inline constexpr std::string_view kReadFailed = "read failed";

// GUANO.
inline constexpr std::string_view kGuanoNoVersion = "GUANO text has no version line";
inline constexpr std::string_view kGuanoNotUtf8 = "GUANO text is not UTF-8";
inline constexpr std::string_view kGuanoTooLong = "GUANO chunk too long: ignored";

// Time.
// "the GUANO start time '9999-99-99T99:99:99' is not …": one wrong field, so the next source is used.
inline constexpr std::string_view kBadStart1 = "the ";
inline constexpr std::string_view kBadStart2 = " start time '";
inline constexpr std::string_view kBadStart3 = "' is not a real time of the years 1990 to 2200: ignored";
inline constexpr std::string_view kTimeFromFileDate = "no start time in the recording or its name: the file's modification time is used";
inline constexpr std::string_view kSourceGuano = "GUANO";
inline constexpr std::string_view kSourceComment = "comment";
inline constexpr std::string_view kSourceBext = "bext";
inline constexpr std::string_view kSourceFileName = "file name";
inline constexpr std::string_view kSourceFileDate = "file date";
inline constexpr std::string_view kSourceZeroCrossing = "zero-crossing header";

// Time expansion: the text is completed with the rate.
inline constexpr std::string_view kRateTooLow1 = "sample rate ";
inline constexpr std::string_view kRateTooLow2 =
    " Hz is too low for bat calls; if the recording is time-expanded, give its factor (usually 10)";

// Zero-crossing files.
inline constexpr std::string_view kZcTooShort = "too short for a zero-crossing file";
inline constexpr std::string_view kZcType129 = "zero-crossing file type 129 cannot be read";
inline constexpr std::string_view kZcUnknownType = "unknown zero-crossing file type ";
inline constexpr std::string_view kZcBadOffset = "zero-crossing data offset outside the file";
inline constexpr std::string_view kZcBadDivRatio = "zero-crossing division ratio 0";

// Import.
inline constexpr std::string_view kNotAudio = "not a recording (skipped)";
inline constexpr std::string_view kIsFolder = "is a folder, not a recording";
inline constexpr std::string_view kSubfolderSkipped =
    "is a folder (skipped; subfolders are read with --recursive)";
inline constexpr std::string_view kFolderWithoutRecordings = "is a folder that holds no recordings";
inline constexpr std::string_view kCannotWriteOut = "output folder cannot be written: ";
inline constexpr std::string_view kFailedWrite = "failed to write ";
inline constexpr std::string_view kReadingRecording = "Reading recording ";
inline constexpr std::string_view kImportStopped = "stopped: files of the recordings read so far are kept";
inline constexpr std::string_view kSummaryRead = "recordings read: ";
inline constexpr std::string_view kSummarySkipped = "skipped: ";
inline constexpr std::string_view kSummaryMinutes = "minutes: ";
inline constexpr std::string_view kSummaryGroups = "wave groups: ";
inline constexpr std::string_view kSummaryFiles = "files made: ";
inline constexpr std::string_view kNoRecordings = "no recordings found";

// Cutting the original audio.
inline constexpr std::string_view kCutNoRecording = "No recording covers the chosen time";
inline constexpr std::string_view kCutNoIndex = "The data file has no index of its recordings";
inline constexpr std::string_view kCutZeroCrossing = "Zero-crossing recordings hold no sound to cut";

}  // namespace zorvel::msg::rec
