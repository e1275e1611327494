#include "recordings/CrossingFrontEnd.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace zorvel::rec {

namespace {

constexpr double kQuarterMicrosPerSecond = 4'000'000.0;
constexpr double kTicksPerSecond = 200'000.0;

// Histogram bucket of a magnitude: the float's exponent and top four mantissa bits, so 16
// buckets to an octave.
inline uint32_t Bucket(float magnitude) {
  return std::bit_cast<uint32_t>(magnitude) >> 19;
}
inline double BucketValue(uint32_t b) {
  return std::bit_cast<float>((b << 19) | (1u << 18));
}

}  // namespace

CrossingFrontEnd::CrossingFrontEnd(double realRate, const FrontEndOptions& options)
    : rate_(realRate), o_(options) {
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

void CrossingFrontEnd::Feed(const float* x, size_t n) {
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

void CrossingFrontEnd::Finish() {
  if (fill_ > 0) EndSegment();
}

void CrossingFrontEnd::EndSegment() {
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
  const float gate = static_cast<float>(std::max(o_.minGate, o_.crossingGate * floor));
  const float hold =
      static_cast<float>(std::min<double>(gate, std::max(o_.minGate, o_.crossingHold * floor)));
  const double ticksPerSample = kTicksPerSecond / rate_;
  const double qusPerSample = kQuarterMicrosPerSecond / rate_;
  for (size_t i = 0; i < crossingCount_; ++i) {
    const Crossing& c = crossings_[i];
    const double at = static_cast<double>(c.sample - 1) + c.fraction;
    if (lastCrossing_ >= 0) {
      const bool loud = running_ ? c.peak >= hold : c.peak >= gate;
      running_ = loud;
      ++stats_.waves;
      builder_.Wave(lastCrossing_ * ticksPerSample, (at - lastCrossing_) * qusPerSample, c.peak, loud);
    }
    lastCrossing_ = at;
  }
  crossingCount_ = 0;
  segStart_ += static_cast<int64_t>(fill_);
  fill_ = 0;
  prevHist_ = hist_;
  hist_.fill(0);
}

}  // namespace zorvel::rec
