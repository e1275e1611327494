// The front end a logger has: it counts the zero crossings of the whole band, so a call is
// heard only where it is louder than all the band's noise together, and faint starts and ends
// of calls are lost as the logger loses them. Kept beside the spectral front end for data that
// must look as a logger would have stored it (British0's rules were made on such data).
//
//   1. A fourth-order Butterworth high-pass filter (two second-order sections; corner
//      highPassHz) removes wind, voices and the low half of insect song.
//   2. The noise floor is the median magnitude of the filtered sound over the present and the
//      previous segment of 65,536 samples (a histogram with 16 steps per octave, so the median
//      costs nothing per sample).
//   3. A wave runs from one upward zero crossing to the next (crossing times interpolated
//      between samples); its period is stored in quarter microseconds and its peak is its
//      largest magnitude.
//   4. A run of waves starts with a wave whose peak is at least crossingGate times the floor
//      (and at least minGate) and goes on while peaks stay at least crossingHold times it: the
//      hysteresis keeps the quieter ends of a call. Eight waves of a run make a wave group.
//
// Memory does not grow with the length of a recording: the waves of one segment are held until
// its floor is known.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "recordings/FrontEnd.h"

namespace zorvel::rec {

class CrossingFrontEnd final : public WaveFrontEnd {
 public:
  CrossingFrontEnd(double realRate, const FrontEndOptions& options);
  void Feed(const float* samples, size_t n) override;
  void Finish() override;

  static constexpr size_t kSegment = 65'536;

 private:
  struct Section {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  };
  struct Crossing {
    int64_t sample;  // the upward crossing that ends a wave lies between sample - 1 and sample …
    float fraction;  // … this far after sample - 1
    float peak;      // the wave's largest magnitude
  };
  void EndSegment();

  double rate_;
  FrontEndOptions o_;
  bool silent_ = false;  // the corner is too near the Nyquist frequency: nothing passes
  Section s1_, s2_;
  std::vector<Crossing> crossings_;  // waves ended in the present segment (room for one a sample)
  size_t crossingCount_ = 0;
  size_t fill_ = 0;  // samples of the present segment so far
  std::array<uint32_t, 4096> hist_{}, prevHist_{};
  int64_t segStart_ = 0;  // sample index of the present segment's first sample
  // Crossing state carried across segments.
  float last_ = 0;
  double lastCrossing_ = -1;  // sample index, fractional
  float peak_ = 0;
  bool running_ = false;  // the last wave belongs to a run
  GroupBuilder builder_{groups_};
};

}  // namespace zorvel::rec
