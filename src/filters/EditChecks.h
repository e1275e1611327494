// Whether a filter value may stand, whoever brings it: a text typed with --edit, a value read
// from a filter or export settings file. A value its edit could never mean (letters in a number
// box, a number past 32 bits, a negative duration, an hour of 25, a sequence of brackets) is
// refused here, with the edit's own words, instead of falling back in silence to a value the
// user never chose.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "filters/CallFilter.h"

namespace zorvel {

// Why text cannot stand in the range edit: not a whole number of 32 bits, or below 0 (no call
// or wave-group field is negative). An empty text can: it is the edit's fallback, no limit.
std::string RangeEditProblem(RangeEdit e, std::string_view text);
// Why text cannot stand in the minute edit: not a whole number, or what the edit itself says of
// it (an hour outside 0 … 23, a minute outside 0 … 59, a temperature that is not a number).
std::string MinuteEditProblem(MinuteEdit e, std::string_view text);

// A lower edit and its upper edit.
struct RangePair {
  RangeEdit lower, upper;
};
const std::vector<RangePair>& RangePairs();

// Each pair of settings whose lower value lies above its upper one, which passes nothing:
// "MinOctKHZedit 50 is above MaxOctKHZedit 20" (the light pair too).
std::vector<std::string> FilterPairProblems(const FilterSettings& f);

}  // namespace zorvel
