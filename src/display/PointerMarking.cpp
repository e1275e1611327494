#include "display/PointerMarking.h"

#include "core/CallRecords.h"
#include "core/Messages.h"
#include "core/MinuteMap.h"
#include "display/ViewState.h"

namespace zorvel {

namespace {

// The reader's own mark mode changes a call as it reads it, before its time is known, so the
// call just past the pointer would be changed too. Here the records are read unchanged and the
// flags of each call before the pointer are set afterwards; a call's flags are in its last
// record, the one just read.
void MarkPresentCall(TFileRec& s, bool mark) {
  if (s.ReadOnly || s.NrType != tCallrec || !s.CallOK) return;
  if (s.BufPosn < kRecordBytes || static_cast<size_t>(s.BufPosn) > s.FBuf.size()) return;
  uint8_t* r = s.FBuf.data() + (s.BufPosn - kRecordBytes);
  if (r[0] != kIdCallC || s.aCall.Marked == mark) return;
  r[kFlagsByte] = static_cast<uint8_t>(mark ? (r[kFlagsByte] | kFlagMarked) : (r[kFlagsByte] & ~kFlagMarked));
  s.aCall.Marked = mark;
  s.WriteBackChangesRequired = true;
}

}  // namespace

bool MarkCallsBeforePointer(FileSlots& fileSlots, int slot, TRecTime screenStart, TRecTime pointerTime,
                            ReaderContext reader, bool mark) {
  if (!FileSlots::ValidSlot(slot) || !fileSlots[slot].Open) return false;
  TFileRec& s = fileSlots[slot];
  if (s.ReadOnly) {
    // The marks could not be stored: say so rather than seem to have marked.
    reader.host.TimedMessage(msg::kWritebackFailed, kWritebackFailedMs);
    return false;
  }
  reader.options.Mark = MarkMode::None;
  if (!SeekToMinuteStart(fileSlots, slot, screenStart.Mn, reader.host, false)) return false;
  while (s.InPlay) {
    if (!ReadNextRecord(s, reader)) continue;
    const TRecTime t = ItemTime(s);
    if (!(t < pointerTime)) break;
    if (!(t < screenStart)) MarkPresentCall(s, mark);
  }
  return WriteBackIfChanged(s, reader.host);
}

}  // namespace zorvel
