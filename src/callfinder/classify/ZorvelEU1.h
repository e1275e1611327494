// The classifier "ZorvelEU1": names the bats of Europe from published call figures, pass by pass.
//
// Each call is first given a shape (constant frequency, a sweep ending in a flat part, or a
// steep sweep) and, for every species profile, a fit between 0 and 1: how well its strongest
// measures (modal frequency, lowest and highest frequency, duration) lie within the ranges
// published for that species. The calls of a minute are grouped into passes (species/Passes.h);
// a pass is named by the sum of its calls' fits. Where the best species does not stand clear of
// its near relatives (pipistrelles, Myotis, nyctaloids), the pass gets the group's name; where
// nothing fits, it stays unclassed. Every call takes its pass's name unless its own measures
// clearly point elsewhere. SpN, Sp2N and Sp3N are the pass's best three; SpConfidence (0 … 15)
// grows with the pass's agreement, its number of calls and the call's own fit, and is capped per
// species by the accuracy published for telling that species apart, then mapped so that it
// reads as a probability (ZorvelEU1Kinds.h). Social calls and bats' passes that fit no profile
// get "Social" and "UnknownBat" instead of the nearest species; trains of calls no bat makes
// (insect song, ticking noise) stay unclassed.
#pragma once

#include <array>
#include <cstdint>

#include "callfinder/MinuteWork.h"
#include "species/BuiltInSpecies.h"

namespace zorvel::cf {

enum class CallShape { None, CF, FMQCF, FM };

// The shape of a call from its measures.
CallShape ShapeOf(const tCall& c);

// The fit of a call to each species number's profile (0 for numbers without one).
using SpeciesFit = std::array<double, kZorvelEU1SpeciesCount>;
SpeciesFit CallFit(const tCall& c);

// The group a species belongs to (eu1::kPipistrellus, eu1::kMyotis, eu1::kNyctaloid), or 0.
int32_t GroupOf(int32_t species);

// The highest confidence a call of this species (or group) may get.
int32_t ConfidenceCeiling(int32_t species);

// What a pass is named: species or group, the next two, and the confidence of a call that fits
// its pass fully.
struct PassName {
  int32_t SpN = 0, Sp2N = 0, Sp3N = 0;
  int32_t confidence = 0;
};
// Names a pass from its calls' fits (one entry per ordinary call).
PassName NamePass(const std::vector<SpeciesFit>& fits);

// ZorvelEU1's classification of a minute (after SetCallGaps): export lines, passes, species,
// confidence, call types, patching the ZV2 records, counts per species.
void ClassifyMinuteZorvelEU1(MinuteWork& w);

}  // namespace zorvel::cf
