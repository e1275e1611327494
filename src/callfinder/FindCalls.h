// The minute's call loop: buzz marks first, then seed after seed through the octets, each
// successful seed grown into a candidate call that is measured, tested and emitted or dropped.
#pragma once

#include "callfinder/MinuteWork.h"

namespace zorvel::cf {

void FindCalls(MinuteWork& w);

}  // namespace zorvel::cf
