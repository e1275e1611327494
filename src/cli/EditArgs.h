// "--edit NAME=TEXT": any filter edit set by its control name as if the text had been typed
// into it (MinOctKHZedit=20, SeqEdit=FD, HourOfDayStartHrEdit=21).
#pragma once

#include <string>
#include <vector>

#include "filters/CallFilter.h"

namespace zorvel::cli {

// Applies the edits in order. False at the first one that is refused, with *message saying why
// in the edit's own words ("NAME: <the edit's message>"): an unknown name or a missing "=", a
// text that is not a whole number for a number edit, what a minute edit says of its text, a
// sequence of letters that are not feature letters, a value below 0 for a range edit. The
// checks are the ones settings files go through (filters/EditChecks.h).
bool ApplyEditArgs(const std::vector<std::string>& edits, FilterSettings& f, std::string* message);

}  // namespace zorvel::cli
