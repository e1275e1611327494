// One recording on disk, full-spectrum (WAV) or zero-crossing: what it is, when it started and
// where that time came from, how it is to be read, and the wave groups the front end makes of
// it.
//
// Time expansion: a WAV whose header rate is below 96 kHz cannot hold bat calls in real time,
// so it is taken as time-expanded by the factor its GUANO TE field gives, or else by the
// factor the user gave; without either it is refused. Rates of 96 kHz and above are real time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "recordings/FrontEnd.h"
#include "recordings/Guano.h"
#include "recordings/RecordingTime.h"

namespace zorvel::rec {

constexpr uint32_t kRealTimeRateFloor = 96'000;

enum class RecordingKind : uint8_t { FullSpectrum, ZeroCrossing };

struct ReadOptions {
  int timeExpansion = 0;  // the user's factor for slowed-down recordings; 0: none given
  int channel = 1;        // 1-based
  std::optional<int> utcOffsetMinutes;  // the user's offset: times given in another offset move to it
  FrontEndOptions frontEnd;
};

struct RecordingInfo {
  bool ok = false;
  std::string error;
  std::vector<std::string> warnings;
  std::string path;
  RecordingKind kind = RecordingKind::FullSpectrum;
  uint32_t headerRate = 0;  // samples per second as stored (0 for zero-crossing files)
  int timeExpansion = 1;
  double realRate = 0;      // samples per second of real time
  uint64_t frames = 0;
  int channels = 0;
  double seconds = 0;       // real-time duration
  double start = 0;         // local wall-clock seconds since 1899-12-30
  TimeSource source = TimeSource::FileDate;
  std::optional<int> utcOffsetMinutes;  // of the local time, when known
  Guano guano;
  std::string make, model, serial;
  std::optional<std::pair<double, double>> position;
};

// Whether a path names something to read: .wav, .zc, or a zero-crossing name ending in '#'.
bool LooksLikeRecording(const std::string& path);

// Reads the header and metadata only.
RecordingInfo ProbeRecording(const std::string& path, const ReadOptions& options);

// Runs the whole recording through the front end. sink receives groups in time order, a block
// at a time (the vector is cleared after each call). False, with error set, when the file could
// not be read to its end.
using GroupSink = std::function<void(const std::vector<WaveGroup>&)>;
bool ReadWaveGroups(const RecordingInfo& info, const ReadOptions& options, const GroupSink& sink,
                    std::string* error);

}  // namespace zorvel::rec
