// The texts of the floating read-out window and the caption under the pointer: what the value
// at a pixel means for the band beneath it.
#pragma once

#include <optional>
#include <string>

#include "core/FileRec.h"
#include "core/Records.h"
#include "display/DisplayOptions.h"
#include "display/ViewState.h"

namespace zorvel {

// The slot whose band holds the pointer (0 = none); only inside the plot's width.
int SlotUnderPointer(const FileSlots& fileSlots, const Layout& l, int x, int y);

// The form caption: the file under the pointer, else slot 1's, else the program's own.
std::string PointerCaption(const FileSlots& fileSlots, int actionSlot);

// Where the read-out window goes, in screen coordinates: right of and below the pointer unless
// that would run past the plot's right edge or bottom.
struct InfoWindowPlace {
  int left = 0, top = 0;
};
InfoWindowPlace InfoWindowPlacement(int formLeft, int formTop, const Layout& l, int x, int y);

// Over a file graph the value label names the graph's x axis instead of a time.
std::string GraphValueLabel(tGraphType graph, int plotLeft, int x);

// High resolution.
std::string HighResTimeLabel(TRecTime pointerTime, bool atCentre);
std::string HighResValueLabel(const TFileRec& s, const Scales& scales, int y);

// Low resolution. The value label collects the temperature, light and battery parts that apply.
std::string LowResTimeLabel(int32_t pointerMinute);
std::string LowResValueLabel(const TFileRec& s, const DisplayOptions& o, int y);

// The two call labels for the call drawn at column x of a ZV2 or ZV3 band; absent where no call
// was drawn (the labels are then hidden).
struct CallLabels {
  std::string call;     // frequencies
  std::string details;  // species, duration, sequence
};
std::optional<CallLabels> CallLabelsAt(const TFileRec& s, int x);

}  // namespace zorvel
