// The front ends of data files made from recordings: they turn sound into the wave groups a
// logger stores. The spectral front end (the default) follows each call where it stands out of
// the noise at its own frequency, so it hears faint calls and the faint ends of sweeps; the
// zero-crossing front end hears as a logger does, over the whole band at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "recordings/WaveGroup.h"

namespace zorvel::rec {

enum class FrontEndKind : uint8_t { Spectral, ZeroCrossing };

struct FrontEndOptions {
  FrontEndKind kind = FrontEndKind::Spectral;
  double highPassHz = 15'000;  // real-time frequency below which nothing is taken
  // Spectral: a track starts where the sound stands this many times over the noise floor at
  // its frequency, and goes on while it stays holdOverFloor times over it.
  double gateOverFloor = 4.0;
  double holdOverFloor = 3.0;
  double minAmplitude = 2.0;  // sample units (16-bit scale): fainter tones are never taken
  // Zero-crossing: a run starts with a wave whose peak is this many times the floor of the
  // filtered sound, and goes on while peaks stay crossingHold times it.
  double crossingGate = 4.0;
  double crossingHold = 3.0;
  double minGate = 30.0;  // sample units: the gate is never lower
};

struct FrontEndStats {
  int64_t samples = 0;
  int64_t waves = 0;     // waves given to the group builder
  double lastFloor = 0;  // sample units: the band's median floor, as a tone's amplitude
                         // (spectral) or as a sample's magnitude (zero-crossing)
};

class WaveFrontEnd {
 public:
  virtual ~WaveFrontEnd() = default;
  // The next samples of the recording, on the 16-bit scale.
  virtual void Feed(const float* samples, size_t n) = 0;
  // Ends the recording: the last partial segment is measured and scanned.
  virtual void Finish() = 0;
  // Groups made so far; the caller may take them and clear the vector between feeds.
  std::vector<WaveGroup>& Groups() { return groups_; }
  const FrontEndStats& Stats() const { return stats_; }

 protected:
  std::vector<WaveGroup> groups_;
  FrontEndStats stats_;
};

// realRate: samples per second of real time (the header rate times any time expansion).
std::unique_ptr<WaveFrontEnd> MakeFrontEnd(double realRate, const FrontEndOptions& options);

}  // namespace zorvel::rec
