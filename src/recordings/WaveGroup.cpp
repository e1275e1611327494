#include "recordings/WaveGroup.h"

#include <algorithm>
#include <cmath>

namespace zorvel::rec {

namespace {

constexpr double kScatterForZeroScore = 0.08;
constexpr double kSampleUnitsPerAmpStep = 64.0;

uint8_t AmpByte(double peak) {
  return static_cast<uint8_t>(std::clamp(std::lround(peak / kSampleUnitsPerAmpStep), 1L, 255L));
}

}  // namespace

uint8_t TonalScore(const double (&p)[8]) {
  double mean = 0;
  for (double v : p) mean += v;
  mean /= 8;
  double slopeNum = 0, slopeDen = 0;
  for (int i = 0; i < 8; ++i) {
    slopeNum += (i - 3.5) * (p[i] - mean);
    slopeDen += (i - 3.5) * (i - 3.5);
  }
  const double slope = slopeNum / slopeDen;
  double sq = 0;
  for (int i = 0; i < 8; ++i) {
    const double r = p[i] - (mean + slope * (i - 3.5));
    sq += r * r;
  }
  const double scatter = mean > 0 ? std::sqrt(sq / 8) / mean : 1.0;
  return static_cast<uint8_t>(
      std::clamp(std::lround(31.0 * (1.0 - scatter / kScatterForZeroScore)), 0L, 31L));
}

void GroupBuilder::Wave(double startTicks, double periodQus, double peak, bool loud) {
  if (!loud) {
    n_ = 0;  // a quiet wave ends the run; its partial group is lost
    inRun_ = false;
    return;
  }
  inRun_ = true;
  start_[n_] = startTicks;
  period_[n_] = periodQus;
  peak_[n_] = peak;
  if (++n_ < 8) return;
  n_ = 0;
  WaveGroup g;
  for (int k = 0; k < 8; ++k)
    g.ipi[static_cast<size_t>(k)] = static_cast<uint8_t>(std::clamp(std::floor(period_[k]), 1.0, 255.0));
  // Amplitude j covers waves j and j+2 (first four) and j+2 and j+4 (last four), as stored.
  for (int j = 0; j < 4; ++j) {
    const int w = j < 2 ? j : j + 2;
    g.amp[static_cast<size_t>(j)] = AmpByte(std::max(peak_[w], peak_[w + 2]));
  }
  g.score = TonalScore(period_);
  g.tick = std::llround(start_[0]);
  out_.push_back(g);
}

}  // namespace zorvel::rec
