// File graphs: one graph per open band in place of the screen, built from the records of the
// time span on screen. Either a 24-hour picture of wave-group counts (noon to noon, so a night's
// activity sits whole in the middle) or a 256-bin histogram of one wave-group or call value.
//
// The tally and the texts are plain values so they can be checked without drawing; the painter
// only turns a tally into pixels.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <string>

#include "core/FileRec.h"
#include "core/RecordReader.h"
#include "display/DisplayOptions.h"
#include "display/ViewState.h"

namespace zorvel {

constexpr int kGraphBins = 256;
constexpr int kDielBins = 144;       // ten minutes each
constexpr int kDielKHzClasses = 64;  // 4 kHz each

using GraphHistogram = std::array<int64_t, kGraphBins>;

struct DielBin {
  int32_t minutes = 0;
  int32_t onMinutes = 0;
  int64_t lightSum = 0;
  double tempSum = 0;
  int64_t octets = 0;
  std::array<int64_t, kDielKHzClasses> khz{};
};

// What one slot's records over the period add up to.
struct GraphTally {
  tGraphType type = tKHZdwell;
  TFileType fileType = ftZV2;
  GraphHistogram hist{};
  std::array<DielBin, kDielBins> diel{};
  int64_t minutes = 0, octets = 0, calls = 0;
  bool callPending = false;  // a call record was read; it is counted at its first wave group

  void Add(const TFileRec& s);
};

// Call-based graph types have nothing to count in a raw file.
bool IsCallGraph(tGraphType t);

// b[i-2] + 2b[i-1] + 3b[i] + 2b[i+1] + b[i+2] for bins 2..253, from the unsmoothed values. The
// weights are left in: the scale follows the largest bar anyway.
GraphHistogram SmoothBins(const GraphHistogram& h);

// Bins 0..5 hold the noise of clipped and odd wave groups, so they are never the mode.
struct GraphMode {
  int bin = 6;
  int64_t count = 0;
};
GraphMode FindMode(const GraphHistogram& h);

// The amount of data in minutes counted; the diel graph's texts are padded wider.
std::string DataAmountText(int64_t minutes, bool padded);
std::string ModeText(tGraphType t, const GraphMode& m);
std::string WavesText(int64_t octets);
std::string CallsText(int64_t calls);
std::string GraphCaption(tGraphType t);
// A count with "," between thousands.
std::string WithThousands(int64_t n);

// The diel bin shown by the bar at position j (0..143): bars run noon to noon.
inline int DielBinOfBar(int j) {
  return (j + kDielBins / 2) % kDielBins;
}

struct GraphOptions {
  bool SmoothFgraph = false;
  bool HideGraphText = false;
};

// Draws the graphs of all open slots in play into the image over the plot, reading from
// DisplayPosition - ScreenSpan to DisplayPosition. Slots are left wherever their reading stopped.
// `status` receives the status-line text while a slot is read.
void DrawFileGraphs(QImage& image, FileSlots& fileSlots, const ViewState& view, const DisplayOptions& options,
                    const GraphOptions& graphOptions, ReaderContext& reader, std::string* status = nullptr);

// Reads one slot's records over [start, end) into a tally (the slot must be positioned at start).
// Over whole minutes the slot's per-minute summary stands in for the records when it serves
// (allowSummary); the tally is the same.
GraphTally TallySlot(TFileRec& s, tGraphType type, TRecTime end, ReaderContext& reader,
                     bool allowSummary = true);

}  // namespace zorvel
