// Real recordings as the wave groups a logger would have stored, through the product's front
// end (recordings/), placed in one minute so that the call finder can be run on real calls.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SynthNight.h"
#include "recordings/FrontEnd.h"

namespace zorvel::test {

struct EmulatedRecording {
  bool ok = false;
  std::string error;
  double seconds = 0;  // real-time duration
  std::vector<synth::Octet> groups;
};

// The recording's wave groups, ticks counted on from startTick without wrapping: a recording
// must end within its minute (about 59 s from the default start of 1 s).
EmulatedRecording EmulateRecording(const std::string& path, int32_t timeExpansion, int32_t startTick = 200'000,
                                    const rec::FrontEndOptions& frontEnd = {});

// A ZV1 file of three minutes: an empty one, the recording's, and an empty one.
bool WriteRecordingZv1(const std::string& path, int32_t firstMin, const std::vector<synth::Octet>& octets);

}  // namespace zorvel::test
