// "Mark calls shown before pointer" and its undo: sets or clears the mark bit of every call the
// filters accept from the start of the present screen up to the pointer, in one file.
#pragma once

#include "core/FileRec.h"
#include "core/Host.h"
#include "core/RecordReader.h"
#include "core/Records.h"

namespace zorvel {

// `reader` carries the display's filters. Reads the slot from the minute of screenStart until
// its record time reaches pointerTime, changing only the mark bit of accepted calls from
// screenStart on, then writes the changed records back. False when the slot is not open, the
// minute cannot be found, or the write-back failed (with its message).
bool MarkCallsBeforePointer(FileSlots& fileSlots, int slot, TRecTime screenStart, TRecTime pointerTime,
                            ReaderContext reader, bool mark);

}  // namespace zorvel
