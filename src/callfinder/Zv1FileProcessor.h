// Processing one ZV1 file open in a slot: its minute map is rebuilt, a ZV2 file is written
// beside it minute by minute, and the file's totals are returned for the summary line.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "callfinder/MinutePool.h"
#include "core/FileRec.h"
#include "core/Host.h"

namespace zorvel {

struct FileTotals {
  int64_t octetsInCalls = 0;
  int64_t calls = 0;
  int64_t buzzCalls = 0;
  std::array<int64_t, cf::kSpeciesSlots> callsPerSpN{};
};

struct FileOutcome {
  std::string zv2Path;  // empty when no ZV2 file was written
  FileTotals totals;
};

// Calls drawn on the Process page's frequency graph, in file order (optional).
using GraphMarkSink = std::function<void(const cf::GraphMark&)>;

// Processes the ZV1 file open in slot 1 of slots. The pool's workers and their storage are
// the run's, reused for every file. exportLines receives the outside-classifier lines.
FileOutcome ProcessZV1File(FileSlots& slots, cf::MinutePool& pool, Host& host,
                           std::vector<std::string>& exportLines, const GraphMarkSink& graph = {});

// The summary line of a processed file on the Results page.
std::string SummaryLine(const TFileRec& slot, const FileTotals& totals, bool administrator);

}  // namespace zorvel
