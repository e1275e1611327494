// The view: zoom level, where the screen lies in time, the plot rectangle and the bands of the
// open files. Drawing and navigation ask this for x-from-time and time-from-x instead of doing
// their own arithmetic, so the pointer read-out and the drawn pixels always agree.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"
#include "core/Records.h"

namespace zorvel {

// The window's measurements that the plot is laid out from.
struct LayoutInput {
  int clientWidth = 1000;
  int clientHeight = 700;
  bool setViewPanelVisible = false;
  int setViewPanelWidth = 0;
  int backBarBottom = 30;  // BackBar top + height
  int statusPanelHeight = 20;
};

struct Layout {
  int PlotLeft = 25;
  int PlotWidth = 900;
  int PlotRight = 925;
  int MinuteUnits = 300;
  int PlotTop = 30;
  int PlotBottom = 600;
};

// PlotWidth is kept a multiple of 9 so that both 3-pixel columns and the ruler's tick spacings
// divide it.
Layout ComputeLayout(const LayoutInput& in);

struct ViewState {
  int DisplayTimeUnit = 7;
  int32_t FiveMusecPerPixel = 1000;
  int32_t MinutesPerUnit = 1;
  TRecTime ScreenSpan{}, HalfScreenSpan{}, QuarterScreenSpan{}, EighthScreenSpan{};
  TRecTime DisplayPosition{};
  TRecTime PreviousScreen{};
  TRecTime RequestedStart{};  // Mn < 1: none
  int32_t RangeFirstMin = 0, RangeLastMin = 0, RangeMinutes = 1;
  int SeekFile = 1;
  int MinNToShow = 1;
  TRecTime PointerTime{};
  int32_t ShortestOnScreen = INT32_MAX;
  Layout layout{};
  int SlotHeight = 0;
  int FirstBandMiddle = 0;  // for the pointer read-out
  bool FrameDirty = true;   // labels and grids must be redrawn
  // The next low-resolution draw leaves the bands of ZV1 files as they are (Shift+F3): a quick
  // redraw of the call files after a filter change, without reading the large raw files again.
  bool KeepZv1Bands = false;

  bool HighRes() const { return DisplayTimeUnit < 12; }
  // Start of the present screen: DisplayPosition holds its end after a draw.
  TRecTime ScreenStart() const;
};

// Recomputes the spans for the level and plot width; returns the ruler's tick spacing.
int ApplyLevel(ViewState& v);

// The time under pixel column x (clamped to the plot).
TRecTime PixelToTime(const ViewState& v, int x);
// The pixel column of a moment on a high-resolution screen that starts at start (at most PlotRight).
int TimeToPixel(const ViewState& v, TRecTime start, TRecTime t);

// The time of the slot's current record. A call record carries its own start time; the slot's
// record time still holds the previous wave group's.
inline TRecTime ItemTime(const TFileRec& s) {
  return s.NrType == tCallrec ? TRecTime{s.NrTime.Mn, s.aCall.StartTime} : s.NrTime;
}

// One zoom step; false (with the message) at either end.
bool ZoomIn(ViewState& v, Host& host);
bool ZoomOut(ViewState& v, Host& host);
// Steps to the level one zoom at a time, keeping the time at the plot's centre pixel in the middle.
void SelectDisplayTimeUnit(ViewState& v, int level);

// The range in use from the open files: earliest first and latest last logged minute.
void SetFullRange(ViewState& v, const FileSlots& fileSlots);

// Places the bands of the open files (slot 1 lowest) and sizes their per-pixel arrays.
void LayoutBands(ViewState& v, FileSlots& fileSlots);

struct RulerLabel {
  int x;
  std::string text;
};
std::vector<RulerLabel> RulerLabels(const ViewState& v);
// The centre mark of the ruler.
int RulerCentreX(const Layout& l);

// Where the slider sits for the present screen.
struct SliderGeometry {
  int left = 0;
  int width = 0;
};
SliderGeometry SliderPosition(const ViewState& v);
// The minute a slider released with its left edge at `left` goes to.
int32_t SliderReleaseMinute(const ViewState& v, int left);
// The minute shown while the slider is dragged.
int32_t SliderDragMinute(const ViewState& v, int left);

}  // namespace zorvel
