// What the classifiers share: the minute's calls grouped into passes, and writing each call's
// classification into its ZV2 records in the minute's output buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// A classification value as its record byte holds it (0 … 255).
uint8_t ClassificationByte(int32_t v);

// Writes SpConfidence, CallType, Sp3N, Sp2N and SpN of calls 1 … callCount into their records
// (and collects the frequency graph's marks when asked).
void PatchClassification(MinuteWork& w);

// The calls of one pass, in time order (indexes into the minute's call array).
struct MinutePass {
  std::vector<int32_t> calls;      // ordinary calls
  std::vector<int32_t> buzzCalls;  // buzz calls that fall in the pass
};

// The minute's passes, by the grouping every reader of the file uses (species/Passes.h).
std::vector<MinutePass> MinutePasses(const MinuteWork& w);

}  // namespace zorvel::cf
