#include "sound/Render.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <string>

#include "sound/Messages.h"

namespace zorvel::sound {

namespace {

constexpr int32_t kSampleLimit = 32767;

// n / d rounded to the nearest integer, halves to even (d > 0).
int64_t RoundDiv(int64_t n, int64_t d) {
  int64_t q = n / d;
  const int64_t r2 = 2 * (n % d < 0 ? -(n % d) : n % d);
  if (r2 > d || (r2 == d && (q & 1))) q += n < 0 ? -1 : 1;
  return q;
}

int16_t Clamp(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, -kSampleLimit, kSampleLimit));
}

// One sine cycle; the phase carries over so that joined cycles do not click.
void RenderCycle(std::vector<int16_t>& out, int32_t amp, int32_t step, int32_t divisor, int32_t& phase) {
  const auto& sine = SineTable();
  step = std::max(step, 1);
  phase = std::max(phase - kSineSteps, 0);
  while (phase < kSineSteps) {
    out.push_back(Clamp(RoundDiv(static_cast<int64_t>(amp) * sine[phase], divisor)));
    phase += step;
  }
}

// An IPI of 0 would have no period: it is taken as 1.
int32_t Period(const tCycPair& e) {
  return std::max(e.IPI, 1);
}

}  // namespace

const std::array<int16_t, kSineSteps>& SineTable() {
  static const std::array<int16_t, kSineSteps> table = [] {
    std::array<int16_t, kSineSteps> t{};
    for (int i = 0; i < kSineSteps; ++i)
      t[i] = static_cast<int16_t>(std::nearbyint(1024.0 * std::sin(2.0 * std::numbers::pi * i / kSineSteps)));
    return t;
  }();
  return table;
}

std::vector<int16_t> RenderLive(const std::vector<tCycPair>& entries, const LiveOptions& options) {
  std::vector<int16_t> out;
  out.reserve(entries.size() * 180);
  const int32_t pitch = std::clamp(options.pitch, 1, 8);
  const int32_t repeats = 2 * std::clamp(options.stretch, 1, 4) + 1;
  int32_t phase = 0;
  auto cycle = [&](const tCycPair& e, int32_t divisor) {
    RenderCycle(out, std::max(e.amp, 1), pitch * 1200 / Period(e), divisor, phase);
  };
  for (size_t k = 0; k < entries.size(); k += 2) {
    const bool paired = k + 1 < entries.size();
    for (int r = 0; r < repeats; ++r) {
      cycle(entries[k], 10);
      if (paired) cycle(entries[k + 1], 30);
    }
  }
  return out;
}

std::vector<int16_t> RenderReconstruction(const std::vector<tCycPair>& entries, uint32_t seed) {
  std::vector<int16_t> out;
  out.reserve(entries.size() * 180);
  std::mt19937 noise(seed);
  std::uniform_int_distribution<int> level(-128, 127);
  int32_t phase = 0;
  for (size_t k = 0; k < entries.size(); k += 2) {
    const tCycPair& first = entries[k];
    if (first.amp == 0) {
      for (int32_t i = 0; i < first.IPI / 2 + 1; ++i) out.push_back(static_cast<int16_t>(level(noise)));
      continue;
    }
    const bool paired = k + 1 < entries.size();
    for (int r = 0; r < 2; ++r) {
      RenderCycle(out, first.amp, 16000 / Period(first), 10, phase);
      if (paired) RenderCycle(out, entries[k + 1].amp, 16000 / Period(entries[k + 1]), 10, phase);
    }
  }
  return out;
}

std::vector<int16_t> TestSweep() {
  const auto& sine = SineTable();
  std::vector<int16_t> out;
  out.reserve(65'001);
  int32_t phase = 0;
  for (int32_t j = 5000; j <= 70'000; ++j) {
    out.push_back(Clamp(static_cast<int64_t>(sine[phase]) * 30));
    phase += static_cast<int32_t>(RoundDiv(j, 192));
    if (phase > 1998) phase -= 1999;
  }
  return out;
}

std::string PitchLblText(int pitch) {
  return std::string(msg::kPitchPrefix) + std::to_string(pitch);
}
std::string LengthLblText(int stretch) {
  return std::string(msg::kStretchPrefix) + std::to_string(stretch);
}

}  // namespace zorvel::sound
