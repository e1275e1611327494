// What happens in front of the microphone: bat passes (with feeding buzzes), singing insects
// and rain, as wave groups placed on the series' time line, and the ground-truth entries of
// the calls and buzzes among them.
#pragma once

#include <string>
#include <vector>

#include "sim/CallShapes.h"

namespace zorvel::sim {

enum class TruthKind { Call, BuzzCall, Buzz, Pass, FirstPass };

struct TruthEntry {
  AbsTick at = 0;
  const SpeciesModel* species = nullptr;
  TruthKind kind = TruthKind::Call;
  double fStart = 0, fEnd = 0, durMs = 0;
  int groups = 0;  // wave groups the call was given (for a buzz or a pass: its calls)
};

const char* TruthKindName(TruthKind k);

struct Activity {
  std::vector<SimGroup> groups;
  std::vector<TruthEntry> truth;
};

// One bat flying past: a train of calls whose loudness rises and falls, sometimes with a
// feeding buzz in its second half.
void AddPass(AbsTick start, Rng& rng, Activity& out);
// The same for a given species; `passTruth` (Pass or FirstPass) adds a truth entry for the pass
// itself at its first call, `Call` adds none.
void AddPass(AbsTick start, const SpeciesModel& m, TruthKind passTruth, Rng& rng, Activity& out);

// A few seconds of a singing insect: broadband syllables that the logger scores low.
void AddInsectSong(AbsTick start, Rng& rng, Activity& out);

// One minute of rain: scattered clicks of random period, scored lowest.
void AddRainMinute(AbsTick minuteStart, double intensity, Rng& rng, Activity& out);

}  // namespace zorvel::sim
