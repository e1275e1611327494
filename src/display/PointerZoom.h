// What a drag over the plot and the F5/F6 keys do to the view. Pure rules: the window passes in
// the pointer's pixels and applies the result, so the arithmetic is tested without a window.
#pragma once

#include <cstdint>
#include <optional>

#include "core/FileRec.h"
#include "core/Records.h"
#include "display/DisplayOptions.h"
#include "display/ViewState.h"

namespace zorvel {

// A release ends a zooming drag only well inside the plot, after a real drag (more than 10
// pixels rightwards) and above level 0, where there is nothing finer to zoom to.
bool DragReleaseZooms(const Layout& l, int level, int dragStartX, int x, int y);
// A press that may start a drag; 0 means no drag, so the left margin never starts one.
bool DragPressStarts(const Layout& l, int x, int y);
// The yellow line is drawn only while a drag would zoom (level above 1).
bool DragLineShown(int level, int dragStartX, int x);

// Milliseconds from a to b; spans of more than 34,999 minutes count as 2,100,000,000 ms so the
// sum stays inside 32 bits' worth of pixels-per-tick arithmetic.
int64_t DragDurationMs(TRecTime a, TRecTime b);

// The finest level whose pixels hold `ticksPerPixel`, and the low-resolution level whose columns
// hold `minutesPerColumn`.
int HighResLevelForTicksPerPixel(int64_t ticksPerPixel);
int LowResLevelForMinutesPerColumn(int64_t minutesPerColumn);

struct DragZoomTarget {
  int level = 0;
  TRecTime DisplayPosition{};  // the start of the new screen
};
// The level and screen start for a drag from x1 to x2 on the present screen. Drags shorter than
// a screen of 100-ms pixels stay at high resolution (level 12 always goes back to it).
DragZoomTarget DragZoom(const ViewState& v, int x1, int x2);
// The same for the moments under the two ends.
DragZoomTarget DragZoomBetween(const ViewState& v, TRecTime t1, TRecTime t2);

// F5 (up = false) and F6 (up = true) on the box of the band's axis. Absent when the axis has no
// box that the key changes (the battery band at high resolution).
std::optional<double> RescaledMax(TYaxisType axis, double value, bool highRes, bool up);
// Applies RescaledMax to the box of `axis` (the count box at low resolution); false when no box
// changed.
bool RescaleAxis(ScaleEdits& e, TYaxisType axis, bool highRes, bool up);

}  // namespace zorvel
