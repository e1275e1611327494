#include "display/PointerSelection.h"

#include <algorithm>
#include <climits>

#include "core/TimeBase.h"
#include "display/Messages.h"
#include "display/TimeMath.h"

namespace zorvel {

namespace {

void UpdateRangeMinutes(ViewState& v) {
  v.RangeMinutes = v.RangeLastMin - v.RangeFirstMin + 1;
}

}  // namespace

// Slots are filled from 1 upwards, so the first closed slot ends the open ones.
void SetSelectionStart(TimeSelection& sel, ViewState& v, FileSlots& fileSlots, int32_t minute) {
  sel.SelectionActive = true;
  v.RangeFirstMin = minute;
  UpdateRangeMinutes(v);
  for (int i = 1; i <= kSlotCount && fileSlots[i].Open; ++i) {
    TFileRec& s = fileSlots[i];
    if (s.LastLoggedMin >= v.RangeFirstMin) s.FirstProcessMin = std::max(s.FirstLoggedMin, v.RangeFirstMin);
  }
}

void SetSelectionEnd(TimeSelection& sel, ViewState& v, FileSlots& fileSlots, int32_t minute) {
  sel.SelectionActive = true;
  v.RangeLastMin = minute;
  UpdateRangeMinutes(v);
  for (int i = 1; i <= kSlotCount && fileSlots[i].Open; ++i) {
    TFileRec& s = fileSlots[i];
    if (v.RangeLastMin >= s.FirstLoggedMin) s.LastProcessMin = std::min(v.RangeLastMin, s.LastLoggedMin);
  }
}

void ClearSelection(TimeSelection& sel, ViewState& v, FileSlots& fileSlots) {
  sel.SelectionActive = false;
  int32_t first = INT32_MAX, last = INT32_MIN;
  for (int i = 1; i <= kSlotCount; ++i) {
    TFileRec& s = fileSlots[i];
    if (!s.Open) continue;
    first = std::min(first, s.FirstLoggedMin);
    last = std::max(last, s.LastLoggedMin);
    s.FirstProcessMin = s.FirstLoggedMin;
    s.LastProcessMin = s.LastLoggedMin;
  }
  if (first > last) return;  // nothing open: the range is left as it was
  v.RangeFirstMin = first;
  v.RangeLastMin = last;
  UpdateRangeMinutes(v);
  if (v.PreviousScreen.Mn < first || v.PreviousScreen.Mn > last) v.PreviousScreen = {first, 0};
}

RangeTexts RangeLabelTexts(const ViewState& v, const TimeSelection& sel, bool anyFileOpen) {
  RangeTexts t;
  if (!anyFileOpen) {
    t.range = msg::kRange;
    t.from = msg::kFrom;
    t.to = msg::kTo;
    return t;
  }
  const std::string marker = sel.SelectionActive ? std::string(msg::kSelectionSuffix) : std::string();
  t.range = std::string(msg::kRangePrefix) + MinuteDurationText(v.RangeMinutes);
  // Minute 1 and below mean no range has been worked out yet, so there is nothing to qualify.
  if (v.RangeFirstMin > 1)
    t.range += sel.SelectionActive ? std::string(msg::kSelectionSuffix) : std::string(msg::kFullRangeSuffix);
  const std::string start = MinuteAloneText(v.RangeFirstMin);
  const std::string end = MinuteAloneText(v.RangeLastMin);
  t.from = std::string(msg::kFromPrefix) + start + marker;
  t.to = std::string(msg::kToPrefix) + end + marker;
  t.hint = std::string(msg::kSelectionHint) + start + std::string(msg::kSelectionHintTo) + end;
  return t;
}

}  // namespace zorvel
