// The Display and Navigation pages' switches and scale boxes, as plain values the window binds
// its controls to. Defaults are those of the controls at start.
#pragma once

#include <array>

namespace zorvel {

struct ScaleEdits {
  double kHzMax = 160;        // KHZYscaleMaxEdit
  double periodMax = 30;      // PeriodYscaleMaxEdit: the top of a period band in microseconds
  double amplitudeMax = 300;  // SPLYscaleMaxEdit
  double countMax = 50;       // CountYscaleMaxEdit
};

// Pixels per unit, from the band height and the scale boxes.
struct Scales {
  double perKHz = 1, perIPI = 1, perAmp = 1, perCount = 1;
};

// IPIs count quarter microseconds while the period box and the band's labels are in
// microseconds, so a period band of "30" holds IPIs up to 120.
inline Scales ComputeScales(int slotHeight, const ScaleEdits& e) {
  auto f = [slotHeight](double max) { return max > 0 ? slotHeight / max : 1.0; };
  return {f(e.kHzMax), f(4 * e.periodMax), f(e.amplitudeMax), f(e.countMax)};
}

struct DisplayOptions {
  bool WhiteScreen = false;
  bool BlackLines = false;
  bool ColourFeatures = false;
  // Feature boxes, indexed by tFeatureClass (entry 0 unused).
  std::array<bool, 8> ShowFeature{false, true, true, true, true, true, true, true};
  bool ShowQual = false;
  bool ShowFreqGridLines = false;
  bool ShowLight = false;
  bool ShowTemps = false;
  bool ShowTempsGrid = false;
  bool UseRTCtemperatures = false;
  std::array<bool, 4> ShowBatt{true, true, true, true};
  int LineWidth = 0;      // "thicker lines + n"
  int SpeciesChoice = 1;  // which of FilterSpN1 … FilterSpN3 is ticked
  bool PresentationMode = false;
  ScaleEdits scales{};
};

}  // namespace zorvel
