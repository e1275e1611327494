// What ZorvelEU1 tells apart before it looks for a species: social calls, passes that are
// clearly a bat's but fit no profile, and the scale on which its confidence is a probability.
#pragma once

#include <cstdint>
#include <vector>

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// A call that may be one part of a social call: a downward sweep ending low in the band where
// pipistrelle social calls end (14-26 kHz), longer than a buzz call.
bool MaySocialPart(const tCall& c);

// The minute's social calls (index 1 … callCount): parts of a multi-part sweep (two or more
// parts starting within 30 ms of each other), in a minute where pipistrelles are echolocating
// (`pipistrelleCalls` ordinary calls that fit a pipistrelle profile well).
std::vector<char> SocialCalls(const MinuteWork& w, int pipistrelleCalls);

// Whether calls that fit no profile are still clearly a bat's: at least three calls of an
// echolocation shape and length, repeated at the intervals bats call at.
bool BatLikePass(const MinuteWork& w, const std::vector<int32_t>& calls);

// The confidence of a name (0 … 15) from the classifier's own score for it (0 … 15): c stands
// for a probability of about c/15 that the name is right (see the reliability table).
int32_t CalibratedConfidence(int32_t raw);

}  // namespace zorvel::cf
