// The built-in classifier "British0": rule tests per call that propose species candidates and a
// call type, then minute rules that give a species only to calls whose species recurs in a run.
// Stored files and users' comparisons rely on its results, so its rules do not change.
#pragma once

#include <string>

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// Species numbers of the built-in table that the rules name.
enum BuiltInSpecies : int32_t {
  kGHB = 1,
  kLHB = 2,
  kCmnPip = 3,
  kSopPip = 4,
  kNatPip = 5,
  kFM = 7,
  kNatterer = 8
};

// Runs tests A … H on one call: fills its candidate list and CallType.
void RuleTests(tCall& c, CandidateList& cands);

// British0's classification of a minute (after SetCallGaps): rule tests (and export lines),
// candidate ordering, run statistics, species assignment, patching the ZV2 records in the
// output buffer, and species for buzz calls.
void ClassifyMinuteBritish0(MinuteWork& w);

}  // namespace zorvel::cf
