#include "recordings/SpectralFrontEnd.h"

#include <kiss_fftr.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace zorvel::rec {

namespace {

constexpr double kQuarterMicrosPerSecond = 4'000'000.0;
constexpr double kTicksPerSecond = 200'000.0;
// A third of a millisecond: short enough to follow the steep sweeps of Myotis bats (a frame
// spans about 10 kHz of a sweep of 30 kHz per millisecond), long enough that a faint steady call
// stands well over the noise at its frequency.
constexpr double kFrameSeconds = 0.0003;
// A stored period of 255 quarter microseconds means "no wave" to the call finder: slower waves
// cannot be stored.
constexpr double kSlowestStorableHz = kQuarterMicrosPerSecond / 254.0;
// Bats call up to about 150 kHz; the band stops short of the Nyquist frequency, where the
// recorder's anti-alias filter bends the spectrum.
constexpr double kHighestHz = 180'000.0;
constexpr double kTopOfNyquist = 0.95;
// The magnitude of noise in a bin is Rayleigh-distributed: its median over its lower quartile.
constexpr float kMedianOverQuartile = 1.5524f;
// A track's frequency must also stand this many times over the median of the band's ratios: a
// click or rain is loud at every frequency alike.
constexpr double kGateOverBand = 3.0;
constexpr double kHoldOverBand = 2.0;
// How far a track may stray from where its course predicts, per frame: a tenth of its
// frequency (a steep sweep of 40 kHz per millisecond moves about 3 kHz per frame at 384 kHz),
// never less than two bins.
constexpr double kStrayShare = 0.10;
constexpr double kStrayBins = 2.0;
// The window reaches half a frame past a loud onset; frames lit only by that reach stand far
// below the loud frame beside them (a quarter of its magnitude or less).
constexpr float kReachShare = 0.25f;
// A call starts and ends where it is 15 dB below its peak, the threshold at which start
// and end frequencies are commonly read off a call; what follows at its frequency is its echo
// and the room's reverberation.
constexpr float kTailShare = 0.18f;
constexpr size_t kMinTrackFrames = 4;
constexpr float kSampleBound = 1e6f;
// An echo: within 20 ms of a call's end (a surface 3.4 m away), a quarter as loud as the call or
// fainter, within 6 % of the frequency where the call ended.
constexpr double kEchoSeconds = 0.020;
constexpr float kEchoShare = 0.25f;
constexpr double kEchoHzShare = 0.06;
// A long track is written out once it holds this many frames; the last few stay for the next.
constexpr size_t kWriteOutFrames = 256;
constexpr size_t kKeptFrames = 8;

// Histogram bucket of a magnitude: 16 to an octave (the float's exponent and top four mantissa
// bits) from 1 up to 2^32; smaller magnitudes go to the first, larger ones to the last.
constexpr uint32_t kFirstBucketBits = 0x3F800000u >> 19;
inline size_t Bucket(float magnitude) {
  const uint32_t bits = std::bit_cast<uint32_t>(magnitude) >> 19;
  return bits < kFirstBucketBits ? 0
                                 : std::min<size_t>(bits - kFirstBucketBits, SpectralFrontEnd::kBuckets - 1);
}
inline float BucketValue(size_t b) {
  return std::bit_cast<float>(((static_cast<uint32_t>(b) + kFirstBucketBits) << 19) | (1u << 18));
}

size_t FrameSizeFor(double rate) {
  const double want = std::max(1.0, rate * kFrameSeconds);
  const int log2 = std::clamp(static_cast<int>(std::lround(std::log2(want))), 5, 11);
  return size_t{1} << log2;
}

}  // namespace

struct SpectralFrontEnd::Fft {
  explicit Fft(size_t n) : cfg(kiss_fftr_alloc(static_cast<int>(n), 0, nullptr, nullptr)), out(n / 2 + 1) {}
  ~Fft() { kiss_fftr_free(cfg); }
  Fft(const Fft&) = delete;
  Fft& operator=(const Fft&) = delete;
  kiss_fftr_cfg cfg;
  std::vector<kiss_fft_cpx> out;
};

SpectralFrontEnd::SpectralFrontEnd(double realRate, const FrontEndOptions& options)
    : rate_(realRate), o_(options) {
  if (!(rate_ > 0)) {
    silent_ = true;
    return;
  }
  n_ = FrameSizeFor(rate_);
  hop_ = n_ / 4;
  const double binHz = rate_ / static_cast<double>(n_);
  const double low = std::max(o_.highPassHz, kSlowestStorableHz);
  const double high = std::min(kHighestHz, kTopOfNyquist * rate_ / 2);
  lo_ = static_cast<int>(std::ceil(low / binHz));
  hi_ = static_cast<int>(std::floor(high / binHz));
  if (!(o_.highPassHz >= 0) || hi_ - lo_ < 4) {
    silent_ = true;
    return;
  }
  first_ = std::max(0, lo_ - 2);
  width_ = std::min(static_cast<int>(n_ / 2), hi_ + 2) - first_ + 1;
  fft_ = std::make_unique<Fft>(n_);
  window_.resize(n_);
  for (size_t i = 0; i < n_; ++i)
    window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / n_));
  scratch_.resize(n_);
  mags_.resize(kSegmentFrames * static_cast<size_t>(width_));
  hist_.assign(kBuckets * static_cast<size_t>(width_), 0);
  prevHist_ = hist_;
  floor_.resize(static_cast<size_t>(width_));
  snr_.resize(static_cast<size_t>(width_));
}

SpectralFrontEnd::~SpectralFrontEnd() = default;

void SpectralFrontEnd::Feed(const float* x, size_t n) {
  stats_.samples += static_cast<int64_t>(n);
  if (silent_) return;
  in_.insert(in_.end(), x, x + n);
  while (in_.size() - inPos_ >= n_) {
    TakeFrame(in_.data() + inPos_);
    inPos_ += hop_;
  }
  if (inPos_ > (size_t{1} << 16)) {
    in_.erase(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(inPos_));
    inPos_ = 0;
  }
}

void SpectralFrontEnd::Finish() {
  if (silent_) return;
  // Silence after the end, until the last frame is centred on the last samples.
  while (framesTaken_ * static_cast<int64_t>(hop_) + static_cast<int64_t>(n_ / 2) < stats_.samples) {
    in_.resize(in_.size() + hop_, 0.0f);
    while (in_.size() - inPos_ >= n_) {
      TakeFrame(in_.data() + inPos_);
      inPos_ += hop_;
    }
  }
  if (segFrames_ > 0) EndSegment();
  if (tracking_) EndTrack();
}

void SpectralFrontEnd::TakeFrame(const float* frame) {
  // Samples beyond any real recorder's range (a damaged float file) are held at a bound that
  // keeps every square and sum finite.
  for (size_t i = 0; i < n_; ++i)
    scratch_[i] = std::clamp(frame[i], -kSampleBound, kSampleBound) * window_[i];
  kiss_fftr(fft_->cfg, scratch_.data(), fft_->out.data());
  float* m = mags_.data() + segFrames_ * static_cast<size_t>(width_);
  uint16_t* h = hist_.data();
  for (int b = 0; b < width_; ++b, h += kBuckets) {
    const kiss_fft_cpx& c = fft_->out[static_cast<size_t>(first_ + b)];
    m[b] = std::sqrt(c.r * c.r + c.i * c.i);
    ++h[Bucket(m[b])];
  }
  ++framesTaken_;
  if (++segFrames_ == kSegmentFrames) EndSegment();
}

void SpectralFrontEnd::EndSegment() {
  const auto w = static_cast<size_t>(width_);
  // Rounding to whole sample units adds noise of variance 1/12 to every sample; through the
  // window (squares adding up to 3N/8) that is the magnitude's typical size in every bin.
  const auto roundingFloor = static_cast<float>(std::sqrt(0.375 * static_cast<double>(n_) / 12.0));
  const size_t total = segFrames_ + prevFrames_;
  for (size_t b = 0; b < w; ++b) {
    // The floor is the median of the background over this segment and the one before, taken
    // from its lowest quarter (for noise the median is 1.55 times the lower quartile), so that
    // calls filling up to three quarters of the frames at one frequency (horseshoe bats call
    // most of the time) do not raise it.
    const uint16_t* h = hist_.data() + b * kBuckets;
    const uint16_t* p = prevHist_.data() + b * kBuckets;
    size_t seen = 0, k = 0;
    for (; k + 1 < kBuckets; ++k)
      if ((seen += size_t{h[k]} + p[k]) * 4 >= total) break;
    // Digital silence has no floor; the rounding of 16-bit samples is the lowest there can be.
    floor_[b] = std::max(kMedianOverQuartile * BucketValue(k), roundingFloor);
  }
  std::swap(hist_, prevHist_);
  std::fill(hist_.begin(), hist_.end(), uint16_t{0});
  band_.assign(floor_.begin() + (lo_ - first_), floor_.begin() + (hi_ - first_) + 1);
  std::nth_element(band_.begin(), band_.begin() + static_cast<std::ptrdiff_t>(band_.size() / 2), band_.end());
  stats_.lastFloor = 4.0 * band_[band_.size() / 2] / static_cast<double>(n_);
  for (size_t f = 0; f < segFrames_; ++f) {
    curFrame_ = segFirstFrame_ + static_cast<int64_t>(f);
    ScanFrame(mags_.data() + f * w);
  }
  segFirstFrame_ += static_cast<int64_t>(segFrames_);
  prevFrames_ = segFrames_;
  segFrames_ = 0;
}

bool SpectralFrontEnd::Peak(const float* mags, int from, int to, double over, double overBand, double& bin,
                            float& amp, float& mag) {
  int best = from;
  for (int b = from; b <= to; ++b)
    if (snr_[static_cast<size_t>(b - first_)] > snr_[static_cast<size_t>(best - first_)]) best = b;
  const float top = snr_[static_cast<size_t>(best - first_)];
  if (top < over) return false;
  if (bandMedian_ < 0) {
    band_.assign(snr_.begin() + (lo_ - first_), snr_.begin() + (hi_ - first_) + 1);
    const auto mid = band_.begin() + static_cast<std::ptrdiff_t>(band_.size() / 2);
    std::nth_element(band_.begin(), mid, band_.end());
    bandMedian_ = *mid;
  }
  if (top < overBand * bandMedian_) return false;
  // The ratio may peak beside the tone where the floor dips (a long constant-frequency call
  // raises the floor at its own frequency): the tone's frequency is the magnitude's peak.
  for (int step = 0; step < 2; ++step) {
    const int k = best - first_;
    if (best > lo_ && mags[k - 1] > mags[k])
      --best;
    else if (best < hi_ && mags[k + 1] > mags[k])
      ++best;
    else
      break;
  }
  const int k = best - first_;  // two stored bins lie on each side of the band
  // The tone's amplitude from the energy of the window's main lobe: a sine of amplitude A gives
  // a Hann spectrum whose squared magnitudes add up to 3 A² N² / 32 on the positive side.
  double energy = 0;
  for (int j = std::max(0, k - 2); j <= std::min(width_ - 1, k + 2); ++j)
    energy += static_cast<double>(mags[j]) * mags[j];
  amp = static_cast<float>(std::sqrt(energy * 32.0 / 3.0) / static_cast<double>(n_));
  if (amp < o_.minAmplitude) return false;
  // The peak between bins: a parabola through the logarithms of the three magnitudes.
  double delta = 0;
  if (k > 0 && k + 1 < width_ && mags[k - 1] > 0 && mags[k] > 0 && mags[k + 1] > 0) {
    const double l = std::log(mags[k - 1]), c = std::log(mags[k]), r = std::log(mags[k + 1]);
    const double d = l - 2 * c + r;
    if (d < 0) delta = std::clamp(0.5 * (l - r) / d, -0.5, 0.5);
  }
  bin = best + delta;
  mag = mags[k];
  return true;
}

void SpectralFrontEnd::ScanFrame(const float* mags) {
  for (size_t b = 0; b < snr_.size(); ++b) snr_[b] = mags[b] / floor_[b];
  bandMedian_ = -1;
  const double binHz = rate_ / static_cast<double>(n_);
  const double centre =
      static_cast<double>(curFrame_ * static_cast<int64_t>(hop_) + static_cast<int64_t>(n_ / 2));
  double bin = 0;
  float amp = 0, mag = 0;
  if (tracking_) {
    const double last = track_.back().hz / binHz;
    const double predicted = last + slope_;
    const double stray = std::max(kStrayBins, kStrayShare * predicted);
    const int from = std::max(lo_, static_cast<int>(std::floor(predicted - stray)));
    const int to = std::min(hi_, static_cast<int>(std::ceil(predicted + stray)));
    if (from <= to && Peak(mags, from, to, o_.holdOverFloor, kHoldOverBand, bin, amp, mag) &&
        mag >= kTailShare * loudest_) {
      loudest_ = std::max(loudest_, mag);
      slope_ = std::clamp(0.5 * slope_ + 0.5 * (bin - last), -stray, stray);
      track_.push_back({centre, bin * binHz, amp, mag});
      if (track_.size() >= kWriteOutFrames) Write(false);
      return;
    }
    EndTrack();
  }
  if (Peak(mags, lo_, hi_, o_.gateOverFloor, kGateOverBand, bin, amp, mag)) {
    track_.assign(1, {centre, bin * binHz, amp, mag});
    loudest_ = mag;
    tracking_ = true;
    trimmed_ = false;
    slope_ = 0;
  }
}

void SpectralFrontEnd::TrimStart() {
  // Frames lit only by the window's reach before the onset, and a start fainter than the call's
  // tail may be (a call starts and ends 15 dB below its loudest).
  while (track_.size() > 1) {
    float loud = 0;
    for (size_t i = 1; i < std::min<size_t>(4, track_.size()); ++i) loud = std::max(loud, track_[i].mag);
    if (track_.front().mag >= kReachShare * loud && track_.front().mag >= kTailShare * loudest_) break;
    track_.erase(track_.begin());
  }
}

bool SpectralFrontEnd::IsEcho() const {
  // A faint copy at the frequency where the last call ended, arriving soon after it: the call's
  // echo from a wall, a tree or the ground (3.4 m away or nearer), not a call of its own.
  if (!(lastLoudest_ > 0) || track_.front().centre - lastEnd_ > kEchoSeconds * rate_) return false;
  if (loudest_ > kEchoShare * lastLoudest_) return false;
  for (const TrackFrame& f : track_)
    if (std::abs(f.hz - lastHz_) > kEchoHzShare * lastHz_) return false;
  return true;
}

void SpectralFrontEnd::EndTrack() {
  tracking_ = false;
  if (!trimmed_) TrimStart();
  while (track_.size() > 1) {
    float loud = 0;
    for (size_t i = 2; i <= std::min<size_t>(4, track_.size()); ++i)
      loud = std::max(loud, track_[track_.size() - i].mag);
    if (track_.back().mag >= kReachShare * loud) break;
    track_.pop_back();
  }
  if (trimmed_ || (track_.size() >= kMinTrackFrames && !IsEcho())) {
    Write(true);
    builder_.Wave(0, 0, 0, false);
    lastEnd_ = track_.back().centre;
    lastHz_ = track_.back().hz;
    lastLoudest_ = loudest_;
  }
  track_.clear();
}

void SpectralFrontEnd::Write(bool toTheEnd) {
  const double half = static_cast<double>(hop_) / 2;
  if (!trimmed_) {
    // The first write: the track's start is settled.
    if (!toTheEnd) TrimStart();
    trimmed_ = true;
    nextWave_ = track_.front().centre - half;
  }
  const double end = toTheEnd ? track_.back().centre + half : track_[track_.size() - 5].centre;
  size_t i = 0;  // track_[i] is the last frame centred at or before t
  const auto at = [&](double t, auto value) {
    while (i + 1 < track_.size() && track_[i + 1].centre <= t) ++i;
    const TrackFrame& a = track_[i];
    if (i + 1 >= track_.size() || t <= a.centre) return value(a);
    const TrackFrame& b = track_[i + 1];
    const double u = (t - a.centre) / (b.centre - a.centre);
    return value(a) + u * (value(b) - value(a));
  };
  // The frequency of a frame in noise wanders by a few per cent; each frame's is averaged with
  // its neighbours', weighted by how loud each is, which keeps a sweep's straight course.
  smooth_.resize(track_.size());
  for (size_t k = 0; k < track_.size(); ++k) {
    if (k == 0 || k + 1 == track_.size()) {
      smooth_[k] = track_[k].hz;
      continue;
    }
    const double a = track_[k - 1].mag, b = 2.0 * track_[k].mag, c = track_[k + 1].mag;
    smooth_[k] = (a * track_[k - 1].hz + b * track_[k].hz + c * track_[k + 1].hz) / (a + b + c);
  }
  const auto hz = [&](const TrackFrame& f) { return smooth_[static_cast<size_t>(&f - track_.data())]; };
  const auto ampOf = [](const TrackFrame& f) { return static_cast<double>(f.amp); };
  const double ticksPerSample = kTicksPerSecond / rate_;
  const double qusPerSample = kQuarterMicrosPerSecond / rate_;
  double t = nextWave_;
  while (true) {
    double p = rate_ / at(t, hz);
    const double mid = t + p / 2;
    p = rate_ / at(mid, hz);
    if (toTheEnd ? t + p > end : t >= end) break;
    builder_.Wave(t * ticksPerSample, p * qusPerSample, at(mid, ampOf), true);
    ++stats_.waves;
    t += p;
  }
  nextWave_ = t;
  if (!toTheEnd && track_.size() > kKeptFrames) {
    const size_t drop = std::min(i, track_.size() - kKeptFrames);
    track_.erase(track_.begin(), track_.begin() + static_cast<std::ptrdiff_t>(drop));
  }
}

}  // namespace zorvel::rec
