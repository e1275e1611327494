// Wave groups as a logger stores them: eight waves' periods, an amplitude per two waves and a
// score, stamped with the 5-µs tick of the first wave. Both ways of making them from recordings
// (the front end for sound, the zero-crossing reader for zero-crossing files) build them here,
// so that they round, drop and score waves alike.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace zorvel::rec {

struct WaveGroup {
  int64_t tick = 0;  // 5-µs ticks from the start of the recording (real time)
  std::array<uint8_t, 8> ipi{};
  std::array<uint8_t, 4> amp{};
  uint8_t score = 0;
};

// The score of eight periods (quarter microseconds, unrounded): 31 when they lie on a straight
// line (a steady or smoothly sweeping tone), falling to 0 as they scatter by 8 % of their mean.
uint8_t TonalScore(const double (&periods)[8]);

// Makes groups of eight from waves given one at a time. Periods are stored rounded down to whole
// quarter microseconds, as the logger counts them; amplitudes at 64 sample units (16-bit scale)
// to one step, so a wave at a quarter of full scale stores 128. A quiet wave ends a run, and the
// partial group at the end of a run is dropped, as the logger drops it.
class GroupBuilder {
 public:
  explicit GroupBuilder(std::vector<WaveGroup>& out) : out_(out) {}
  // A wave that starts at startTicks (fractional 5-µs ticks), lasts periodQus quarter µs and
  // whose peak (16-bit sample units) is peak; loud says whether it belongs to a run.
  void Wave(double startTicks, double periodQus, double peak, bool loud);
  bool InRun() const { return n_ > 0 || inRun_; }

 private:
  std::vector<WaveGroup>& out_;
  double start_[8]{}, period_[8]{}, peak_[8]{};
  int n_ = 0;
  bool inRun_ = false;
};

}  // namespace zorvel::rec
