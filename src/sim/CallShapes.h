// The bats the built-in classifier knows, as the simulator draws them: each species' call
// shape (how frequency runs through one call), call length, call spacing and pass length,
// and the step that turns one call into the wave groups the logger would store.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/Rng.h"

namespace zorvel::sim {

// Ticks of 5 µs counted from the start of the series' first minute.
using AbsTick = int64_t;
constexpr int kQuarterMicrosPerTick = 20;

enum class Shape {
  ConstantFrequency,   // horseshoes: a short rise, a long flat tone, a short fall
  SweepIntoTail,       // pipistrelles: a steep sweep that flattens into a quasi-constant tail
  FrequencyModulated,  // Natterer's and other FM bats: a broad sweep, period rising steadily
  LowTail              // noctule and serotine: a short sweep into a long low tail
};

struct SpeciesModel {
  int spN;           // the classifier's species number
  const char* name;  // the classifier's short name
  Shape shape;
  double fStartLo, fStartHi;  // kHz where a call starts
  double fEndLo, fEndHi;      // kHz where it ends (for constant-frequency calls: the tone)
  double durLo, durHi;        // ms
  double gapLo, gapHi;        // ms from one call's start to the next
  int callsLo, callsHi;       // calls in a pass
  bool feeds;                 // passes may hold a feeding buzz
  double weight;              // share of passes
};

const std::vector<SpeciesModel>& SpeciesModels();
const SpeciesModel& PickSpecies(Rng& rng);

// One wave group as the logger records it, before it is placed in a minute.
struct SimGroup {
  AbsTick at = 0;
  std::array<uint8_t, 8> ipi{};
  std::array<uint8_t, 4> amp{};
  uint8_t score = 0;
};

struct CallPlan {
  double fStart = 0, fEnd = 0;  // kHz
  double durMs = 0;
  Shape shape = Shape::FrequencyModulated;
  double peakAmp = 60;  // amplitude byte at the loudest point
};

// Frequency in kHz at fraction u (0 … 1) of the call.
double FrequencyAt(const CallPlan& plan, double u);

// Appends the call's wave groups (whole octets only); returns how many.
int AppendCall(const CallPlan& plan, AbsTick start, Rng& rng, std::vector<SimGroup>& out);

}  // namespace zorvel::sim
