// Every text that the sound code shows or writes, in one place.
#pragma once

#include <string_view>

namespace zorvel::sound::msg {

inline constexpr std::string_view kNoZV2Selected =
    "No ZV2 file selected for action. Use right-click menu in display area to select file for sound replay";
inline constexpr std::string_view kPlayCaption = "play";
inline constexpr std::string_view kStopCaption = "stop";
inline constexpr std::string_view kPitchPrefix = "pitch  ";
inline constexpr std::string_view kStretchPrefix = "stretch ";
inline constexpr std::string_view kCreateWavMenu = "    create .wav file";
inline constexpr std::string_view kWavNameToClipboardMenu = "    Put .wav name into clipboard";
inline constexpr std::string_view kRetainWavFiles = "retain .wav files";

inline constexpr std::string_view kLivePlayFile = "Freq 5 to 35hHz.wav";
inline constexpr std::string_view kSweepFile = "smoothed Freq 7 to 86hHz.wav";
inline constexpr std::string_view kNumberOfValues = "Number of values ";
inline constexpr std::string_view kDefaultNameSuffix = " Zorvel.wav";
inline constexpr std::string_view kSaveWavTitle = "Save Zorvel data file to PC as *.ZV1 file ";
inline constexpr std::string_view kSaveWavFilter = "Wav files|*.wav|All files|*.*";

inline constexpr std::string_view kPointerNotOverFile =
    "Pointer must be over a file display for this to work";
inline constexpr std::string_view kNoWavIndex = "Failed to find wav index file in the directory of ";
inline constexpr std::string_view kNoWavForMinute = "No wav file found for target minute";
inline constexpr std::string_view kTimeNotFound = "time not found";

// Our own: a WAV whose data would not fit the header's 32-bit sizes is refused, not cut short.
inline constexpr std::string_view kWavTooLarge = "The sound is too long for one WAV file";

}  // namespace zorvel::sound::msg
