#include "recordings/FrontEnd.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace zorvel::rec {

namespace {

constexpr double kQuarterMicrosPerSecond = 4'000'000.0;
constexpr double kTicksPerSecond = 200'000.0;
constexpr double kScatterForZeroScore = 0.08;
constexpr double kSampleUnitsPerAmpStep = 64.0;

// Histogram bucket of a magnitude: the float's exponent and top four mantissa bits, so 16
// buckets to an octave.
inline uint32_t Bucket(float magnitude) { return std::bit_cast<uint32_t>(magnitude) >> 19; }
inline double BucketValue(uint32_t b) { return std::bit_cast<float>((b << 19) | (1u << 18)); }

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
  return static_cast<uint8_t>(std::clamp(std::lround(31.0 * (1.0 - scatter / kScatterForZeroScore)), 0L, 31L));
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
    // Whole quarter microseconds are counted: a period is stored rounded down.
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

FrontEnd::FrontEnd(double realRate, const FrontEndOptions& options) : rate_(realRate), o_(options) {
  crossings_.resize(kSegment + 1);
  if (!(rate_ > 0) || o_.highPassHz >= rate_ * 0.45 || !(o_.highPassHz > 0)) {
    silent_ = true;
    return;
  }
  // Butterworth fourth order: two sections with Q 0.5412 and 1.3066.
  auto design = [&](Section& s, double q) {
    const double w = 2 * std::numbers::pi * o_.highPassHz / rate_;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w), a0 = 1 + alpha;
    s.b0 = (1 + c) / 2 / a0;
    s.b1 = -(1 + c) / a0;
    s.b2 = s.b0;
    s.a1 = -2 * c / a0;
    s.a2 = (1 - alpha) / a0;
  };
  design(s1_, 0.5412);
  design(s2_, 1.3066);
}

void FrontEnd::Feed(const float* x, size_t n) {
  stats_.samples += static_cast<int64_t>(n);
  Section a = s1_, b = s2_;
  float prev = last_, peak = peak_;
  while (n > 0) {
    const size_t k = std::min(n, kSegment - fill_);
    if (silent_) {
      hist_[0] += static_cast<uint32_t>(k);
    } else {
      const int64_t base = segStart_ + static_cast<int64_t>(fill_);
      size_t nc = crossingCount_;
      for (size_t i = 0; i < k; ++i) {
        // The feed-forward parts do not wait for the previous output, so the loop's chain of
        // dependence is one multiply and add per section.
        const double v = x[i];
        const double f1 = a.b0 * v + a.b1 * a.x1 + a.b2 * a.x2 - a.a2 * a.y2;
        const double y1 = f1 - a.a1 * a.y1;
        a.x2 = a.x1, a.x1 = v, a.y2 = a.y1, a.y1 = y1;
        const double f2 = b.b0 * y1 + b.b1 * b.x1 + b.b2 * b.x2 - b.a2 * b.y2;
        const double y2 = f2 - b.a1 * b.y1;
        b.x2 = b.x1, b.x1 = y1, b.y2 = b.y1, b.y1 = y2;
        const auto y = static_cast<float>(y2);
        const float m = std::fabs(y);
        ++hist_[Bucket(m)];
        // Without branches: noise crosses zero every few samples, too often to predict. The
        // entry is written every time and kept only at an upward crossing.
        const bool up = prev < 0 && y >= 0;
        Crossing& c = crossings_[nc];
        c.sample = base + static_cast<int64_t>(i);
        c.fraction = prev / (prev - y);
        c.peak = peak;
        nc += up;
        peak = up ? m : std::max(peak, m);
        prev = y;
      }
      crossingCount_ = nc;
    }
    fill_ += k;
    x += k;
    n -= k;
    if (fill_ == kSegment) EndSegment();
  }
  s1_ = a, s2_ = b;
  last_ = prev;
  peak_ = peak;
}

void FrontEnd::Finish() {
  if (fill_ > 0) EndSegment();
  Release(0);
}

void FrontEnd::Decide(Pending w) {
  w.loud = running_ ? w.overHold : w.overGate;
  if (w.loud && !running_) {
    // A run starts: the waves just before it that stand over the hold join it.
    const size_t limit = static_cast<size_t>(std::max(0, o_.lookBackWaves));
    for (size_t k = pending_.size(), n = 0; k > 0 && n < limit; --k, ++n) {
      Pending& p = pending_[k - 1];
      if (p.loud || !p.overHold) break;
      p.loud = true;
    }
  }
  running_ = w.loud;
  pending_.push_back(w);
}

void FrontEnd::Release(size_t keep) {
  // Waves older than the look-back reach can no longer change: they go to the builder.
  if (pending_.size() <= keep) return;
  const size_t n = pending_.size() - keep;
  for (size_t i = 0; i < n; ++i) {
    const Pending& p = pending_[i];
    ++stats_.waves;
    stats_.loudWaves += p.loud;
    builder_.Wave(p.startTicks, p.periodQus, p.peak, p.loud);
  }
  pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(n));
}

void FrontEnd::EndSegment() {
  // The floor: the median of this segment and the one before.
  uint64_t total = 0;
  for (size_t i = 0; i < hist_.size(); ++i) total += hist_[i] + prevHist_[i];
  double floor = 0;
  uint64_t seen = 0;
  for (uint32_t i = 0; i < hist_.size(); ++i) {
    seen += hist_[i] + prevHist_[i];
    if (seen * 2 >= total) {
      floor = i == 0 ? 0.0 : BucketValue(i);
      break;
    }
  }
  stats_.lastFloor = floor;
  const float gate = static_cast<float>(std::max(o_.minGate, o_.gateOverFloor * floor));
  const float hold = static_cast<float>(std::min<double>(gate, std::max(o_.minGate, o_.holdOverFloor * floor)));
  const double ticksPerSample = kTicksPerSecond / rate_;
  const double qusPerSample = kQuarterMicrosPerSecond / rate_;
  const size_t reach = static_cast<size_t>(std::max(0, o_.lookBackWaves));
  for (size_t i = 0; i < crossingCount_; ++i) {
    const Crossing& c = crossings_[i];
    const double at = static_cast<double>(c.sample - 1) + c.fraction;
    if (lastCrossing_ >= 0)
      Decide({lastCrossing_ * ticksPerSample, (at - lastCrossing_) * qusPerSample, c.peak, c.peak >= gate,
              c.peak >= hold, false});
    lastCrossing_ = at;
    if (pending_.size() > 4 * reach + 64) Release(reach);
  }
  Release(reach);
  crossingCount_ = 0;
  segStart_ += static_cast<int64_t>(fill_);
  fill_ = 0;
  prevHist_ = hist_;
  hist_.fill(0);
}

}  // namespace zorvel::rec
