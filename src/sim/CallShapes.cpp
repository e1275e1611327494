#include "sim/CallShapes.h"

#include <algorithm>
#include <cmath>

namespace zorvel::sim {

namespace {
constexpr double kPi = 3.14159265358979323846;

// Share of the call spent in the steep part of a sweep into a tail.
constexpr double kPipBend = 0.15;
constexpr double kLowBend = 0.3;

double TailCurve(double u, double bend) {
  const double e1 = std::exp(-1.0 / bend);
  return (std::exp(-u / bend) - e1) / (1.0 - e1);
}

uint8_t ClampByte(double v, int lo, int hi) {
  return static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(v)), lo, hi));
}
}  // namespace

const std::vector<SpeciesModel>& SpeciesModels() {
  static const std::vector<SpeciesModel> models = {
      {1, "GHB", Shape::ConstantFrequency, 76, 78, 82, 84, 30, 50, 80, 110, 10, 30, false, 0.04},
      {2, "LHB", Shape::ConstantFrequency, 103, 105, 110, 112, 30, 45, 70, 100, 10, 30, false, 0.03},
      {3, "CmnPip", Shape::SweepIntoTail, 80, 95, 44, 47, 4, 8, 70, 110, 10, 40, true, 0.34},
      {4, "SopPip", Shape::SweepIntoTail, 90, 105, 54, 57, 4, 8, 70, 110, 10, 40, true, 0.24},
      {5, "NatPip", Shape::SweepIntoTail, 70, 80, 38, 40, 4, 8, 70, 110, 10, 40, true, 0.05},
      {7, "FM", Shape::FrequencyModulated, 85, 100, 30, 35, 3, 5, 60, 90, 10, 40, true, 0.08},
      {8, "Natterer", Shape::FrequencyModulated, 115, 125, 23, 27, 2, 4, 60, 90, 10, 40, true, 0.06},
      {9, "Noctule", Shape::LowTail, 27, 30, 19, 22, 15, 25, 250, 400, 8, 25, true, 0.09},
      {11, "Serotine", Shape::LowTail, 33, 38, 25, 28, 8, 14, 120, 180, 10, 30, true, 0.07},
  };
  return models;
}

const SpeciesModel& PickSpecies(Rng& rng) {
  const auto& models = SpeciesModels();
  double total = 0;
  for (const auto& m : models) total += m.weight;
  double x = rng.Unit() * total;
  for (const auto& m : models) {
    if (x < m.weight) return m;
    x -= m.weight;
  }
  return models.back();
}

double FrequencyAt(const CallPlan& p, double u) {
  u = std::clamp(u, 0.0, 1.0);
  switch (p.shape) {
    case Shape::ConstantFrequency: {
      // Rise into the tone over the first 2 ms and fall by about 15 kHz over the last 2 ms.
      const double edge = std::min(0.25, 2.0 / p.durMs);
      if (u < edge) return p.fStart + (p.fEnd - p.fStart) * (u / edge);
      if (u > 1.0 - edge) return p.fEnd - 15.0 * ((u - (1.0 - edge)) / edge);
      return p.fEnd;
    }
    case Shape::SweepIntoTail:
      return p.fEnd + (p.fStart - p.fEnd) * TailCurve(u, kPipBend);
    case Shape::LowTail:
      return p.fEnd + (p.fStart - p.fEnd) * TailCurve(u, kLowBend);
    case Shape::FrequencyModulated: {
      // The period grows evenly through the call, as it does in a broadband sweep.
      const double ipiStart = 4000.0 / p.fStart, ipiEnd = 4000.0 / p.fEnd;
      return 4000.0 / (ipiStart + (ipiEnd - ipiStart) * u);
    }
  }
  return p.fEnd;
}

int AppendCall(const CallPlan& plan, AbsTick start, Rng& rng, std::vector<SimGroup>& out) {
  const double lengthQus = plan.durMs * 4000.0;  // quarter microseconds
  double t = 0;
  int groups = 0;
  while (true) {
    SimGroup g;
    const double octetStart = t;
    bool whole = true;
    for (int w = 0; w < 8; ++w) {
      if (t >= lengthQus) {
        whole = false;
        break;
      }
      const double f = FrequencyAt(plan, t / lengthQus);
      const double ipi = std::clamp(4000.0 / f + rng.Jitter(0.4), 12.0, 255.0);
      g.ipi[w] = ClampByte(ipi, 12, 255);
      t += g.ipi[w];
    }
    if (!whole) break;
    const double mid = (octetStart + t) / 2 / lengthQus;
    const double envelope = std::pow(std::sin(kPi * std::clamp(mid, 0.02, 0.98)), 0.6);
    for (auto& a : g.amp) a = ClampByte(plan.peakAmp * envelope * (1.0 + rng.Jitter(0.08)), 2, 127);
    // The logger scores a clean tone high; the quiet ends of a call score lower.
    g.score = ClampByte(14 + 17 * envelope + rng.Jitter(2.0), 8, 31);
    g.at = start + static_cast<AbsTick>(octetStart / kQuarterMicrosPerTick);
    out.push_back(g);
    ++groups;
  }
  return groups;
}

}  // namespace zorvel::sim
