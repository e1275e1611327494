// Grouping the calls of a minute into passes. A pass is one bat flying by: its calls follow each
// other closely in time and keep to nearly one frequency. Two bats calling at once make two
// passes, told apart by frequency. The classifier that names the passes and every reader that
// lists them (exports, the results summary) group with this one rule, so they see the same passes.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Records.h"

namespace zorvel {

// What the grouping reads of a call. Times are 5-µs ticks within the minute.
struct PassCall {
  int64_t start = 0;
  int64_t end = 0;
  int32_t keyKHz = 0;  // the frequency the call is grouped by (PassKeyKHz)
  bool buzz = false;   // buzz calls join the pass they fall in but never start one
};

// A call may follow the pass's last call by up to this many ticks (1 s): twice the longest
// search interval published for a European species (noctule, ≈500 ms), so a missed or skipped
// call does not split a pass, while a bat that comes back after a pause makes a new one.
constexpr int64_t kPassGapTicks = 200'000;

// A call belongs to a pass when its key frequency lies within this share of the pass's median
// key (15 %), and never closer than kPassMinKHz. Common and soprano pipistrelles (≈45 and ≈55
// kHz, published means) and a horseshoe's CF beside a pipistrelle fall in different passes;
// the spread of one bat's calls (a few kHz for pipistrelles) stays within one.
constexpr int32_t kPassTolerancePercent = 15;
constexpr int32_t kPassMinKHz = 3;

// The key frequency of a call from its stored measures: the modal frequency for calls that
// end in a flat part (where most waves are), the median for broadband sweeps (whose modal
// frequency jumps between their top and bottom).
int32_t PassKeyKHz(int32_t modalKHz, int32_t medianKHz, int32_t fminKHz, int32_t fmaxKHz);

// The pass number (0, 1, … in order of each pass's first call) of every call; -1 for a buzz
// call that falls in no pass. Calls must be given in start order.
std::vector<int> GroupIntoPasses(const std::vector<PassCall>& calls);

// One pass of a minute.
struct PassSummary {
  int32_t minute = 0;     // minute number
  int32_t startTick = 0;  // first call's start, 5-µs ticks within the minute
  int32_t endTick = 0;    // last call's end
  int calls = 0, buzzCalls = 0;
  int32_t species = 0;        // the species most of its calls carry
  int32_t confidence = 0;     // the highest confidence of those calls
  int32_t secondSpecies = 0;  // the second species most of them carry
  int32_t medianPeakKHz = 0;  // median modal frequency of its calls (buzz calls left out)
};

// The passes of one minute's calls, in order of their first call.
std::vector<PassSummary> MinutePassSummaries(int32_t minute, const std::vector<tCall>& calls);

}  // namespace zorvel
