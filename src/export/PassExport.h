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
#include "species/Passes.h"

namespace zorvel {

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
