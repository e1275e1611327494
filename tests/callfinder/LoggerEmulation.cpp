#include "LoggerEmulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zorvel::test {

namespace {

constexpr double kQuarterMicrosPerSecond = 4'000'000.0;
constexpr double kTicksPerSecond = 200'000.0;
// Relative scatter of a group's periods about their straight line at which the score reaches 0.
constexpr double kScatterForZeroScore = 0.08;
// Filtered sample units per amplitude step: a wave at a quarter of full scale stores 128.
constexpr double kSampleUnitsPerAmpStep = 64.0;

// One second-order high-pass section; two in cascade give a fourth-order Butterworth response.
struct HighPass {
  double b0, b1, b2, a1, a2;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  HighPass(double cornerHz, double rate, double q) {
    const double w = 2 * std::numbers::pi * cornerHz / rate;
    const double alpha = std::sin(w) / (2 * q), c = std::cos(w), a0 = 1 + alpha;
    b0 = (1 + c) / 2 / a0;
    b1 = -(1 + c) / a0;
    b2 = b0;
    a1 = -2 * c / a0;
    a2 = (1 - alpha) / a0;
  }
  double operator()(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    return y;
  }
};

std::vector<double> Filter(const std::vector<int16_t>& s, double rate, double cornerHz) {
  std::vector<double> y(s.size());
  // A corner near Nyquist would make the filter unstable; such a recording holds nothing
  // ultrasonic anyway.
  if (cornerHz >= rate * 0.45) return y;
  HighPass a(cornerHz, rate, 0.5412), b(cornerHz, rate, 1.3066);
  for (size_t i = 0; i < s.size(); ++i) y[i] = b(a(s[i]));
  return y;
}

// The noise floor as the median magnitude: calls are short, so most samples are background.
double MedianMagnitude(const std::vector<double>& y) {
  if (y.empty()) return 0;
  std::vector<double> m(y.size());
  std::transform(y.begin(), y.end(), m.begin(), [](double v) { return std::abs(v); });
  auto mid = m.begin() + static_cast<std::ptrdiff_t>(m.size() / 2);
  std::nth_element(m.begin(), mid, m.end());
  return *mid;
}

struct Wave {
  double start;   // seconds, at the positive-going crossing that begins it
  double period;  // quarter microseconds
  double peak;    // largest magnitude within the wave, sample units
};

uint8_t AmpByte(double peak) {
  return static_cast<uint8_t>(std::clamp(std::lround(peak / kSampleUnitsPerAmpStep), 1L, 255L));
}

}  // namespace

uint8_t TonalScore(const double (&p)[8]) {
  // Least-squares line through (i, p[i]); a sweep is as tonal as a steady note.
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

std::vector<synth::Octet> EmulateLogger(const std::vector<int16_t>& samples, int32_t sampleRate,
                                        const EmulationOptions& o, EmulationStats* stats) {
  const double rate = static_cast<double>(sampleRate) * std::max(1, o.timeExpansion);
  const std::vector<double> y = Filter(samples, rate, o.highPassHz);
  const double gate = std::max(o.minGate, o.gateOverFloor * MedianMagnitude(y));

  // Waves run from one positive-going crossing to the next, crossing times interpolated
  // between samples.
  std::vector<Wave> waves;
  double lastCrossing = -1, peak = 0;
  for (size_t i = 1; i < y.size(); ++i) {
    peak = std::max(peak, std::abs(y[i - 1]));
    if (!(y[i - 1] < 0 && y[i] >= 0)) continue;
    const double at = (static_cast<double>(i - 1) + y[i - 1] / (y[i - 1] - y[i])) / rate;
    if (lastCrossing >= 0)
      waves.push_back({lastCrossing, (at - lastCrossing) * kQuarterMicrosPerSecond, peak});
    lastCrossing = at;
    peak = 0;
  }

  std::vector<synth::Octet> out;
  int64_t gated = 0;
  size_t runStart = 0;
  for (size_t i = 0; i <= waves.size(); ++i) {
    const bool loud = i < waves.size() && waves[i].peak >= gate;
    gated += loud;
    if (loud && i + 1 - runStart < 8) continue;
    if (!loud) {
      runStart = i + 1;  // a quiet wave breaks the run; its partial group is lost
      continue;
    }
    // Eight loud waves in a row make a group.
    synth::Octet g;
    double periods[8];
    for (int k = 0; k < 8; ++k) {
      periods[k] = waves[runStart + k].period;
      // Whole quarter microseconds are counted, so a period is stored rounded down; the reader
      // adds half a unit per wave back when it sums a group.
      g.ipi[k] = static_cast<uint8_t>(std::clamp(std::floor(periods[k]), 1.0, 255.0));
    }
    // Amplitude j covers waves j and j+2 (first four) and j+2 and j+4 (last four), as stored.
    for (int j = 0; j < 4; ++j) {
      const int w = j < 2 ? j : j + 2;
      g.amp[j] = AmpByte(std::max(waves[runStart + w].peak, waves[runStart + w + 2].peak));
    }
    g.score = TonalScore(periods);
    g.tick = o.startTick + static_cast<int32_t>(std::lround(waves[runStart].start * kTicksPerSecond));
    out.push_back(g);
    runStart = i + 1;
  }
  if (stats) {
    stats->waves = static_cast<int64_t>(waves.size());
    stats->gatedWaves = gated;
    stats->gate = gate;
  }
  return out;
}

bool WriteRecordingZv1(const std::string& path, int32_t firstMin, const std::vector<synth::Octet>& octets) {
  return synth::WriteZv1(path, firstMin,
                         {synth::MinuteRecords({}), synth::MinuteRecords(octets), synth::MinuteRecords({})});
}

}  // namespace zorvel::test
