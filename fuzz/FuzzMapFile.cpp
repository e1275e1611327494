// Any bytes as the map file of a sound data file: it is either accepted because it describes
// the file, or rebuilt; positioning afterwards must land inside the file.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "FuzzHost.h"
#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "core/ZvWriter.h"

namespace {
void MakeDataFile(const std::string& path) {
  using namespace zorvel;
  HeaderBytes h{};
  PutHeaderInt32(h, hdr::kFirstLoggedMin, 1000);
  PutHeaderInt32(h, hdr::kLastLoggedMin, 1004);
  ZvFileWriter w(path, h);
  for (int m = 0; m < 5; ++m) {
    w.Append(EncodeMinuteRecord(MinuteValues{}));
    for (int k = 0; k < m; ++k) w.Append(EncodeZV1WaveGroup(100 * (k + 1), {}, {}, 3));
  }
  w.Finish();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  static const std::string path = [] {
    const std::string p = fuzz::ScratchPath("m.ZV1");
    MakeDataFile(p);
    return p;
  }();
  const std::string map = fuzz::ScratchPath("m.z1m");
  if (FILE* f = std::fopen(map.c_str(), "wb")) {
    std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  fuzz::AdminHost host;
  FileSlots slots;
  if (!OpenFileInSlot(slots, path, 1, host, {}).opened) __builtin_trap();
  MapSlot(slots, 1, false, host);
  TFileRec& s = slots[1];
  for (int32_t k = 0; k <= s.MinStartsWritten; ++k)
    if (s.MinStarts[k] < 64 || s.MinStarts[k] > s.InFileRecs) __builtin_trap();
  ReaderContext ctx{host};
  PositionSlot(slots, 1, TRecTime{1003, 150}, ctx, false);
  if (s.NrTime.Mn != 1003 || s.NrTime.FiveMuSec != 200) __builtin_trap();
  return 0;
}
