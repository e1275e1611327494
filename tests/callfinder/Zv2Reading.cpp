#include "Zv2Reading.h"

#include <fstream>
#include <iterator>

#include "TestHost.h"
#include "core/CallRecords.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"

namespace zorvel::test {

std::vector<ReadCall> ReadZv2Calls(const std::string& path) {
  std::vector<ReadCall> calls;
  RecordingHost host;
  FileSlots slots;
  OpenOptions o;
  o.batchRunning = true;
  if (!OpenFileInSlot(slots, path, 1, host, o).opened) return calls;
  TFileRec& s = slots[1];
  ReaderContext ctx{host};
  ctx.options.IgnoreFilters = true;
  for (int guard = 0; guard < 50'000'000; ++guard) {
    if (!ReadNextRecord(s, ctx)) continue;
    if (s.NrType == tEnd) break;
    if (s.NrType == tCallrec) calls.push_back({s.NrTime.Mn, s.aCall, {}});
    if (s.NrType == tOctet && !calls.empty()) calls.back().octetTicks.push_back(s.NrTime.FiveMuSec);
  }
  return calls;
}

std::vector<uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zorvel::test
