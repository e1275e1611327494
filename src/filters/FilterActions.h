// Commands of the filter page that act on settings or files.
#pragma once

#include "core/FileRec.h"
#include "core/Host.h"
#include "filters/CallFilter.h"

namespace zorvel {

// "Clear all filters above": the range edits back to their reset texts (wave-group edits first),
// IncludeFragments unchecked, both sequence edits emptied, CallHasThirdHarmonic unchecked.
void ClearOctAndCallFilters(FilterSettings& f);

// "Mark current selection of calls" (mark) and "Clear current selection of calls" (!mark):
// after the user's Yes, every call of the selected file that passes the filters gets its mark
// bit set or cleared in the file. False when nothing was done.
bool MarkSelectedCalls(FileSlots& slots, int selectedSlot, bool mark, const CallFilter& filter, bool ignoreFilters,
                       Host& host);

}  // namespace zorvel
