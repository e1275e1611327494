// Turns a full-spectrum recording into the wave groups a logger would have stored, so the call
// finder can be run on real bat calls. This is an emulation written for testing: the logger
// measures waves in hardware and its own scoring is not reproduced here. What is kept is the
// shape of the data: periods of single waves in quarter microseconds, eight waves to a group
// stamped with the time of its first wave, one amplitude per two waves, and a score that is high
// for a clean tone and low for noise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SynthNight.h"

namespace zorvel::test {

struct EmulationOptions {
  int32_t timeExpansion = 1;    // recordings slowed down by this factor are sped up again
  double highPassHz = 15'000;   // real-time corner of the high-pass filter
  double gateOverFloor = 4.0;   // a wave counts when its peak is this many times the noise floor
  double minGate = 30.0;        // … and at least this many sample units
  int32_t startTick = 200'000;  // where the recording begins within its minute (1 s)
};

struct EmulationStats {
  int64_t waves = 0;       // positive-going crossings found
  int64_t gatedWaves = 0;  // those loud enough to count
  double gate = 0;         // in sample units, after filtering
};

// The wave groups of one recording, in time order. Ticks count on from startTick without
// wrapping: a recording must end within its minute (about 59 s from the default start).
std::vector<synth::Octet> EmulateLogger(const std::vector<int16_t>& samples, int32_t sampleRate,
                                        const EmulationOptions& options, EmulationStats* stats = nullptr);

// The score the emulation gives eight wave periods (quarter microseconds, unrounded): 31 when
// they lie on a straight line (a steady or smoothly sweeping tone), falling to 0 as they scatter.
uint8_t TonalScore(const double (&periods)[8]);

// A ZV1 file of three minutes: an empty one, the recording's, and an empty one.
bool WriteRecordingZv1(const std::string& path, int32_t firstMin, const std::vector<synth::Octet>& octets);

}  // namespace zorvel::test
