#include "filters/FilterActions.h"

#include <string>

#include "core/Messages.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "filters/Messages.h"

namespace zorvel {

void ClearOctAndCallFilters(FilterSettings& f) {
  using E = RangeEdit;
  for (E e : {E::MinOctSPLEdit, E::MaxOctSPLEdit, E::MinOctKHZedit, E::MaxOctKHZedit, E::MinOctQEdit, E::MaxOctQedit,
              E::MinMaxCallKHZEdit, E::MaxMaxCallKHZEdit, E::MinMinCallKHZEdit, E::MaxMinCallKHZEdit,
              E::MinCallMedianKHZEdit, E::MaxCallMedianKHZEdit, E::MinSlopeKHZedit, E::MaxSlopeKHZedit,
              E::MinFlatKHZEdit, E::MaxFlatKHZEdit, E::MinBendUpKhzEdit, E::MaxBendUpKhzEdit, E::MinBendDownKhzEdit,
              E::MaxBendDownKhzEdit, E::MinDuration100MusecEdit, E::MaxDuration100MusecEdit, E::MinCallQEdit,
              E::MaxCallQEdit, E::MinAvSPLEdit, E::MaxAvSPLEdit})
    f.ranges.Reset(e);
  f.IncludeFragments = false;
  f.sequence.SeqEditDblClick();
  f.CallHasThirdHarmonic = false;
}

bool MarkSelectedCalls(FileSlots& slots, int selectedSlot, bool mark, const CallFilter& filter, bool ignoreFilters,
                       Host& host) {
  if (!FileSlots::ValidSlot(selectedSlot) || !slots[selectedSlot].Open) {
    host.TimedMessage(msg::kNoFileSelectedShort, 5000);
    return false;
  }
  if (slots[selectedSlot].ReadOnly) {
    // Only readable: nothing could be stored, so nothing is asked or read.
    host.TimedMessage(msg::kWritebackFailed, kWritebackFailedMs);
    return false;
  }
  const std::string question = std::string(msg::kChangesWillBeMade1) + std::to_string(selectedSlot) +
                               std::string(msg::kChangesWillBeMade2);
  if (host.Ask(question, Buttons::YesNoCancel) != Answer::Yes) return false;
  TFileRec& s = slots[selectedSlot];
  if (!SeekToMinuteStart(slots, selectedSlot, s.FirstLoggedMin, host, false)) return false;
  ReaderContext ctx{host, &filter};
  ctx.options.IgnoreFilters = ignoreFilters;
  ctx.options.Mark = mark ? MarkMode::Mark : MarkMode::Unmark;
  while (s.InPlay) ReadNextRecord(s, ctx);
  WriteBackIfChanged(s, host);
  host.TimedMessage(msg::kCompleted, 2000);
  return true;
}

}  // namespace zorvel
