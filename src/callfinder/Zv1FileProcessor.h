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
  std::string error;    // why not (empty when the ZV2 file is in place)
  FileTotals totals;
};

// Calls drawn on the Process page's frequency graph, in file order (optional).
using GraphMarkSink = std::function<void(const cf::GraphMark&)>;

// The minute's result as the workers leave it for the writer.
struct MinuteResult {
  std::vector<uint8_t> bytes;
  cf::MinuteCounters counters;
  std::vector<std::string> exportLines;
  std::vector<cf::GraphMark> graphMarks;
  std::vector<cf::MinuteNotice> notices;
};

// Everything a run needs besides the files: the workers with their minute storage (each reads
// its own minutes, so a minute's records are still in the cache when they are processed) and the
// results waiting to be written in file order. Made once per run and reused for every file.
class RunStorage {
 public:
  RunStorage(int jobs, const FinderSettings& settings);
  cf::MinutePool pool;
  const int chunkMinutes;  // minutes processed together before their results are written
  const SpClassifier classifier;  // whose name goes into the ZV2 header
  std::vector<MinuteResult> results;
};

// Processes the ZV1 file open in slot 1 of slots. exportLines receives the outside-classifier
// lines. The ZV2 file appears only when it was written whole from a ZV1 file that did not change
// while it was read (same size and modification time at the end as at the start, and no short
// read); otherwise nothing is left at its name and the outcome says why.
FileOutcome ProcessZV1File(FileSlots& slots, RunStorage& run, Host& host,
                           std::vector<std::string>& exportLines, const GraphMarkSink& graph = {});

// The summary line of a processed file on the Results page.
std::string SummaryLine(const TFileRec& slot, const FileTotals& totals, bool administrator,
                        SpClassifier classifier = SpClassifier::British0);

}  // namespace zorvel
