// One line per pass: the calls of each minute grouped into passes by the rule the classifier
// uses (species/Passes.h), each pass with its times, counts, species and confidence. Tab-
// separated with a heading line, for R and spreadsheets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel {

// One pass of a minute.
struct PassSummary {
  int32_t minute = 0;           // minute number
  int32_t startTick = 0;        // first call's start, 5-µs ticks within the minute
  int32_t endTick = 0;          // last call's end
  int calls = 0, buzzCalls = 0;
  int32_t species = 0;          // the species most of its calls carry
  int32_t confidence = 0;       // the highest confidence of those calls
  int32_t secondSpecies = 0;    // the second species most of them carry
  int32_t medianPeakKHz = 0;    // median modal frequency of its calls (buzz calls left out)
};

// The passes of one minute's calls, in order of their first call.
std::vector<PassSummary> MinutePassSummaries(int32_t minute, const std::vector<tCall>& calls);

// "yyyy-mm-dd hh:mm:ss.sss" of a tick within a minute.
std::string PassTimeText(int32_t minute, int32_t tick);

// The heading, and one pass's line with species names from the slot.
std::string PassHeading();
std::string PassLine(const TFileRec& slot, const PassSummary& p);

// "<first file without extension> passes.txt".
std::string PassesFileName(const std::string& firstFile);

struct PassesOutcome {
  bool created = false;
  std::string outputFile;
  int filesRead = 0;
  int rows = 0;
  std::vector<std::string> failed;  // files that could not be read
};
// Lists the passes of the files into outPath (or PassesFileName of the first file); written
// whole or not at all.
PassesOutcome ExportPasses(const std::vector<std::string>& files, const std::optional<std::string>& outPath,
                           Host& host);

}  // namespace zorvel
