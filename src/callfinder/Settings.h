// The call finder's tuning values and switches, read once at the start of a run. The defaults
// are those of the developer parameters window and the Process page.
#pragma once

#include <string>

#include "species/BuiltInSpecies.h"

namespace zorvel {

struct FinderSettings {
  int MaxMismatch = 12;       // largest accepted scaled mismatch (half-percent units): 12 is 6 %
  int TriageThreshold = 3;    // "Call quality threshold": Tscore needed to accept a call
  int BendThreshold = 150;    // higher values find fewer bends
  int FlatWiggle = 20;        // largest slope deviation allowed at the start of a flat
  int MinuteTriageLevel = 3;  // read and kept; no rule uses it
  bool UseNoiseReduction = false;
  bool FindBuzzes = true;
  SpClassifier Classifier = SpClassifier::British0;  // SpClassifierGroup: whose rules name the calls
  bool ExportToClassifier = false;  // collect one outside-classifier line per call
  std::string ExportLabel = "SoPip";
};

}  // namespace zorvel
