// The steps that assemble one candidate call from the minute's octets: the seed of four octets,
// the extension backwards and forwards by frequency prediction, the join to the call just
// before it, and the quality test. Each works on the shared minute state.
#pragma once

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

enum class SeedResult {
  Found,         // CallOctets 1 … 4 hold the seed
  OutOfOrder,    // the first two octets are not in time order
  ThirdFailed,   // the third octet missed its prediction
  FourthFailed,  // no fourth octet, or the totals were too poor
};

struct SeedOutcome {
  SeedResult result = SeedResult::FourthFailed;
  int32_t resumeAfterBuzz = 0;  // position after buzz calls emitted on the way (0: none)
};

// Tries the seed at octet j (j ≤ N − 4). May emit the buzz calls of a buzz met at j + 4.
SeedOutcome TrySeed(MinuteWork& w, int32_t j);

// Starts the candidate call from a found seed.
void StartCandidate(MinuteWork& w);

void ExtendBackward(MinuteWork& w);

// Joins the candidate to the prior call when they belong together; true when joined.
bool JoinPriorCall(MinuteWork& w);

void ExtendForward(MinuteWork& w);

// Tscore of the measured candidate.
int32_t TriageScore(const tCall& c);

}  // namespace zorvel::cf
