// The time selection: a part of the shared range that exports, listings and processing keep to.
// Setting either end narrows the process minutes of the open slots; clearing restores each
// slot's whole logged span.
#pragma once

#include <cstdint>
#include <string>

#include "core/FileRec.h"
#include "display/ViewState.h"

namespace zorvel {

struct TimeSelection {
  bool SelectionActive = false;
};

void SetSelectionStart(TimeSelection& sel, ViewState& v, FileSlots& fileSlots, int32_t minute);
void SetSelectionEnd(TimeSelection& sel, ViewState& v, FileSlots& fileSlots, int32_t minute);
void ClearSelection(TimeSelection& sel, ViewState& v, FileSlots& fileSlots);

// The range labels and the form hint for the present range.
struct RangeTexts {
  std::string range, from, to, hint;
};
RangeTexts RangeLabelTexts(const ViewState& v, const TimeSelection& sel, bool anyFileOpen);

}  // namespace zorvel
