// What ZorvelEU1 tells apart before it looks for a species: social calls, sounds no bat makes
// (insect song, noise), passes that are clearly a bat's but fit no profile, and the scale on
// which its confidence is a probability.
#pragma once

#include <cstdint>
#include <vector>

#include "callfinder/MinuteWork.h"
#include "callfinder/classify/Passes.h"

namespace zorvel::cf {

// A call that may be one part of a social call: a downward sweep ending low in the band where
// pipistrelle social calls end (14-26 kHz), longer than a buzz call.
bool MaySocialPart(const tCall& c);

// What an ordinary (non-buzz) call of the minute is before species are weighed.
enum class CallKind : char {
  Echolocation,  // named with its pass
  Social,        // named "Social", kept out of its pass
  NotABat        // part of a train no bat calls (insect song, ticking noise): left unnamed
};

// The kinds of the minute's calls (index 1 … callCount; buzz calls stay Echolocation).
// `pipistrelle[i]` says whether call i fits a pipistrelle's echolocation call well (social calls
// are given only among echolocating pipistrelles), `bestFit[i]` how well it fits its best profile.
std::vector<CallKind> KindsOfCalls(const MinuteWork& w, const std::vector<MinutePass>& passes,
                                   const std::vector<char>& pipistrelle, const std::vector<double>& bestFit);

// Whether calls that fit no profile are still clearly a bat's: at least three calls of an
// echolocation shape, length and band, sweeping down, repeated at the intervals bats search at.
bool BatLikePass(const MinuteWork& w, const std::vector<int32_t>& calls);

// The confidence of a name (0 … 15) from the classifier's own score for it (0 … 15): c stands
// for a probability of about c/15 that the name is right (see the reliability table).
int32_t CalibratedConfidence(int32_t raw);

}  // namespace zorvel::cf
