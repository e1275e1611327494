#include "sim/Activity.h"

#include <algorithm>
#include <cmath>

#include "core/Records.h"

namespace zorvel::sim {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr AbsTick kTicksPerMs = 200;

AbsTick Ms(double ms) {
  return static_cast<AbsTick>(ms * kTicksPerMs);
}

uint8_t RandomByte(Rng& rng, int lo, int hi) {
  return static_cast<uint8_t>(rng.Between(lo, hi));
}

// A feeding buzz: a rapid run of short, low calls; returns the time after it.
AbsTick AddBuzz(const SpeciesModel& m, AbsTick at, double peakAmp, Rng& rng, Activity& out) {
  TruthEntry buzz{at, &m, TruthKind::Buzz, 0, 0, 0, 0};
  const size_t buzzIndex = out.truth.size();
  out.truth.push_back(buzz);
  const int calls = rng.Between(15, 40);
  AbsTick t = at;
  double firstF = 0, lastF = 0;
  for (int i = 0; i < calls; ++i) {
    CallPlan p;
    p.shape = Shape::FrequencyModulated;
    p.fEnd = rng.Between(m.fEndLo, m.fEndHi) - rng.Between(3.0, 5.0);
    p.fStart = std::max(p.fEnd + 8, rng.Between(m.fStartLo, m.fStartHi) * 0.8);
    p.durMs = rng.Between(1.0, 2.5);
    p.peakAmp = peakAmp * rng.Between(0.8, 1.0);
    const int g = AppendCall(p, t, rng, out.groups);
    out.truth.push_back(TruthEntry{t, &m, TruthKind::BuzzCall, p.fStart, p.fEnd, p.durMs, g});
    out.truth[buzzIndex].groups += g;
    if (i == 0) firstF = p.fStart;
    lastF = p.fEnd;
    t += Ms(rng.Between(5.0, 8.0));
  }
  TruthEntry& b = out.truth[buzzIndex];
  b.fStart = firstF;
  b.fEnd = lastF;
  b.durMs = static_cast<double>(t - at) / kTicksPerMs;
  return t;
}
}  // namespace

const char* TruthKindName(TruthKind k) {
  switch (k) {
    case TruthKind::Call:
      return "call";
    case TruthKind::BuzzCall:
      return "buzzcall";
    case TruthKind::Buzz:
      return "buzz";
    case TruthKind::Pass:
      return "pass";
    case TruthKind::FirstPass:
      return "first";
  }
  return "";
}

void AddPass(AbsTick start, Rng& rng, Activity& out) {
  const SpeciesModel& m = PickSpecies(rng);
  AddPass(start, m, TruthKind::Call, rng, out);
}

void AddPass(AbsTick start, const SpeciesModel& m, TruthKind passTruth, Rng& rng, Activity& out) {
  const int calls = rng.Between(m.callsLo, m.callsHi);
  const double closest = rng.Between(50.0, 120.0);
  const int buzzAfter = m.feeds && calls >= 6 && rng.Chance(0.2) ? rng.Between(calls / 2, calls - 2) : -1;
  AbsTick t = start;
  if (passTruth == TruthKind::Pass || passTruth == TruthKind::FirstPass)
    out.truth.push_back(TruthEntry{start, &m, passTruth, 0, 0, 0, calls});
  for (int i = 0; i < calls; ++i) {
    // Loudest at the closest point of the flight path.
    const double loud = closest * (0.25 + 0.75 * std::sin(kPi * (i + 0.5) / calls));
    CallPlan p;
    p.shape = m.shape;
    p.fStart = rng.Between(m.fStartLo, m.fStartHi);
    p.fEnd = rng.Between(m.fEndLo, m.fEndHi);
    p.durMs = rng.Between(m.durLo, m.durHi);
    p.peakAmp = loud;
    const int g = AppendCall(p, t, rng, out.groups);
    out.truth.push_back(TruthEntry{t, &m, TruthKind::Call, p.fStart, p.fEnd, p.durMs, g});
    t += Ms(rng.Between(m.gapLo, m.gapHi));
    if (i == buzzAfter) {
      t = AddBuzz(m, t + Ms(rng.Between(10.0, 30.0)), loud, rng, out);
      t += Ms(rng.Between(100.0, 200.0));  // the pause after a catch
    }
  }
}

void AddInsectSong(AbsTick start, Rng& rng, Activity& out) {
  const double carrier = rng.Between(20.0, 35.0);
  const double songMs = rng.Between(1000.0, 5000.0);
  const double level = rng.Between(10.0, 40.0);
  for (double at = 0; at < songMs; at += rng.Between(30.0, 80.0)) {
    const double syllableQus = rng.Between(5.0, 20.0) * 4000.0;
    double t = 0;
    while (t < syllableQus) {
      SimGroup g;
      g.at = start + Ms(at) + static_cast<AbsTick>(t / kQuarterMicrosPerTick);
      for (auto& ipi : g.ipi) {
        ipi = static_cast<uint8_t>(
            std::clamp(std::lround(4000.0 / carrier * (1.0 + rng.Jitter(0.25))), 12L, 255L));
        t += ipi;
      }
      for (auto& a : g.amp)
        a = static_cast<uint8_t>(std::clamp(std::lround(level * (1 + rng.Jitter(0.3))), 1L, 127L));
      g.score = RandomByte(rng, 0, 6);
      out.groups.push_back(g);
    }
  }
}

void AddRainMinute(AbsTick minuteStart, double intensity, Rng& rng, Activity& out) {
  const int drops = rng.Poisson(intensity * 60.0);
  for (int d = 0; d < drops; ++d) {
    AbsTick at = minuteStart + rng.Between(1, kTicksPerMinute - 2000);
    const int octets = rng.Between(1, 3);
    for (int k = 0; k < octets; ++k) {
      SimGroup g;
      g.at = at;
      int span = 0;
      for (auto& ipi : g.ipi) {
        ipi = RandomByte(rng, 10, 200);
        span += ipi;
      }
      for (auto& a : g.amp) a = RandomByte(rng, 20, 110);
      g.score = RandomByte(rng, 0, 3);
      out.groups.push_back(g);
      at += span / kQuarterMicrosPerTick;
    }
  }
}

}  // namespace zorvel::sim
