// Turns sound into the wave groups a logger would have stored: the front end of data files
// made from recordings.
//
//   1. A fourth-order Butterworth high-pass filter (two second-order sections; corner 15 kHz by
//      default) removes wind, voices and the low half of insect song.
//   2. The noise floor is the median magnitude of the filtered sound over the present and the
//      previous segment of 65,536 samples (a histogram with 16 steps per octave, so the median
//      costs nothing per sample). Calls are short, so most samples are background; the floor
//      follows changing background noise within a fraction of a second.
//   3. A wave runs from one upward zero crossing to the next (crossing times interpolated
//      between samples); its period is stored in quarter microseconds, rounded down as the
//      logger counts whole units, and its peak is its largest magnitude.
//   4. A run of waves starts with a wave whose peak is at least gateOverFloor times the floor
//      (and at least minGate) and goes on while peaks stay at least holdOverFloor times it: the
//      hysteresis keeps the quieter ends of a call. The hysteresis also looks back: the waves
//      just before the starting wave that stay at least holdOverFloor times the floor (up to
//      lookBackWaves of them; none by default) join the run, so the faint start of a sweep, which rises out
//      of the noise before the call's loud part, is kept as its end is. A quiet wave ends the run; eight
//      waves of a run make a wave group, stamped with the 5-µs tick of its first wave; a partial group at the
//      end of a run is dropped, as the logger drops it.
//   5. Each group stores one amplitude per two waves (the larger peak of the pair; 64 sample
//      units of the 16-bit scale to one step, so a wave at a quarter of full scale stores 128)
//      and a score: 31 when its eight periods lie on a straight line (a steady or smoothly
//      sweeping tone), falling to 0 as they scatter by 8 % of their mean.
//
// Memory does not grow with the length of a recording: the waves of one segment are held until
// its floor is known.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zorvel::rec {

struct FrontEndOptions {
  double highPassHz = 15'000;  // real-time corner of the high-pass filter
  double gateOverFloor = 4.0;  // a run starts with a wave this many times the noise floor …
  double holdOverFloor = 3.0;  // … and goes on while waves stay this many times it
  double minGate = 30.0;       // sample units (16-bit scale): the gate is never lower
  int lookBackWaves = 0;       // waves before a run's first loud wave that may join it (0: none)
};

struct WaveGroup {
  int64_t tick = 0;  // 5-µs ticks from the start of the recording (real time)
  std::array<uint8_t, 8> ipi{};
  std::array<uint8_t, 4> amp{};
  uint8_t score = 0;
};

struct FrontEndStats {
  int64_t samples = 0;
  int64_t waves = 0;       // upward crossings that closed a wave
  int64_t loudWaves = 0;   // those taken into runs
  double lastFloor = 0;    // sample units
};

// The score of eight periods (quarter microseconds, unrounded).
uint8_t TonalScore(const double (&periods)[8]);

// Makes groups of eight from waves given one at a time, as the front end and the zero-crossing
// reader both need.
class GroupBuilder {
 public:
  explicit GroupBuilder(std::vector<WaveGroup>& out) : out_(out) {}
  // A wave that starts at startTicks (fractional 5-µs ticks), lasts periodQus quarter µs and
  // whose peak (16-bit sample units) ampPeak; loud says whether it belongs to a run.
  void Wave(double startTicks, double periodQus, double peak, bool loud);
  bool InRun() const { return n_ > 0 || inRun_; }

 private:
  std::vector<WaveGroup>& out_;
  double start_[8]{}, period_[8]{}, peak_[8]{};
  int n_ = 0;
  bool inRun_ = false;
};

class FrontEnd {
 public:
  // realRate: samples per second of real time (the header rate times any time expansion).
  FrontEnd(double realRate, const FrontEndOptions& options);
  FrontEnd(const FrontEnd&) = delete;
  FrontEnd& operator=(const FrontEnd&) = delete;
  // The next samples of the recording, on the 16-bit scale.
  void Feed(const float* samples, size_t n);
  // Ends the recording: the last partial segment is measured and scanned.
  void Finish();
  // Groups made so far; the caller may take them and clear the vector between feeds.
  std::vector<WaveGroup>& Groups() { return groups_; }
  const FrontEndStats& Stats() const { return stats_; }

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
  // A wave whose loudness is decided but which a later run may still take in (look-back).
  struct Pending {
    double startTicks, periodQus;
    float peak;
    bool overGate, overHold, loud;
  };
  void Decide(Pending w);
  void Release(size_t keep);

  double rate_;
  FrontEndOptions o_;
  bool silent_ = false;  // the corner is too near the Nyquist frequency: nothing passes
  Section s1_, s2_;
  std::vector<Crossing> crossings_;  // waves ended in the present segment (room for one a sample)
  size_t crossingCount_ = 0;
  size_t fill_ = 0;                  // samples of the present segment so far
  std::array<uint32_t, 4096> hist_{}, prevHist_{};
  int64_t segStart_ = 0;  // sample index of the present segment's first sample
  // Crossing state carried across segments.
  float last_ = 0;
  double lastCrossing_ = -1;  // sample index, fractional
  float peak_ = 0;
  std::vector<Pending> pending_;  // the last waves, held back for look-back
  bool running_ = false;          // the last decided wave belongs to a run
  std::vector<WaveGroup> groups_;
  GroupBuilder builder_{groups_};
  FrontEndStats stats_;
};

}  // namespace zorvel::rec
