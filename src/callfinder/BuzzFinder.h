// The buzz finder: a buzz is a rapid train of very short sound groups at regular intervals that
// do not grow, which the sweep-following call assembly does not find well. It runs over the
// decoded octets of a minute before the call loop and marks the buzz calls it accepts.
#pragma once

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

// Sets NcallsInBz, NoctInBzCall, InCall and InBuzz, and records each accepted buzz in w.buzzes
// (with w.buzzOfOctet pointing from each buzz call's first octet to its buzz).
void MarkBuzzes(MinuteWork& w);

}  // namespace zorvel::cf
