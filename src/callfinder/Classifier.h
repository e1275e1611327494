// Classification of a minute's calls by the classifier the run was set to (FinderSettings::
// Classifier). Each classifier lives in classify/ in files of its own; what they share (the
// grouping of calls into passes, patching the ZV2 records) is in classify/Passes.h.
#pragma once

#include <string>

#include "callfinder/MinuteWork.h"
#include "callfinder/classify/British0.h"
#include "callfinder/classify/ZorvelEU1.h"

namespace zorvel::cf {

// The whole classification of a minute, after SetCallGaps.
void ClassifyMinute(MinuteWork& w);

// One outside-classifier line: the 42 fields of the header line, then the label.
std::string ClassifierExportLine(const tCall& c, const std::string& label);

}  // namespace zorvel::cf
