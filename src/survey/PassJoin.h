// Passes that run across a minute boundary. Calls are grouped into passes a minute at a time
// (species/Passes.h); a pass whose calls carry on into the next minute then shows as two. A pass
// of one minute continues one of the minute before when it starts within the pass gap of that
// one's end and keeps to its frequency (the grouping's own tolerances), so that one bat flying
// by is one pass wherever the minute boundary falls.
#pragma once

#include <string>
#include <vector>

#include "survey/FileScan.h"

namespace zorvel::survey {

struct JoinedPass {
  double start = 0, end = 0;
  std::string species;
  int64_t confidence = 0, calls = 0, buzzCalls = 0;
  double medianPeakKHz = 0;
  std::string file;  // the file of its first part
};

struct FilePassPart {
  MinutePass pass;
  std::string file;
};

// Joins minute passes given in order of start. The joined pass takes the species most of its
// calls carry (the earliest part's on a tie), the highest confidence and the median peak of the
// parts of that species with the most calls.
std::vector<JoinedPass> JoinMinutePasses(const std::vector<FilePassPart>& parts);

}  // namespace zorvel::survey
