// "list recordings": one tab-separated line per recording with its start, real-time duration,
// sample rate, time-expansion factor, where the time came from and the GUANO species fields.
#pragma once

#include <string>
#include <vector>

#include "recordings/Recording.h"

namespace zorvel::rec {

struct RecordingListing {
  std::vector<std::string> lines;   // the heading, then one line per readable recording
  std::vector<std::string> failed;  // "path: reason"
};

RecordingListing ListRecordings(const std::vector<std::string>& paths, const ReadOptions& options);

// "yyyy-mm-dd hh:mm:ss.sss" of local wall-clock seconds since 1899-12-30.
std::string TimeText(double seconds);

}  // namespace zorvel::rec
