// Any bytes as a data file: opening, mapping, positioning, reading and marking must never crash,
// hang or allocate absurdly.
#include <cstdint>
#include <cstdio>

#include "FuzzHost.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  if (size < 1) return 0;
  const uint8_t mode = data[0];
  static const char* kNames[] = {"f.ZV1", "f.ZV2", "f.ZV3"};
  const std::string path = fuzz::ScratchPath(kNames[mode % 3]);
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(data + 1, 1, size - 1, f);
    std::fclose(f);
  }
  fuzz::AdminHost host;
  FileSlots slots;
  if (!OpenFileInSlot(slots, path, 1, host, {}).opened) return 0;
  TFileRec& s = slots[1];
  ReaderContext ctx{host};
  ctx.options.Mark = (mode & 4) ? MarkMode::Mark : MarkMode::None;
  ctx.options.ShowTimingMessages = (mode & 8) != 0;
  ctx.options.MicAdjustment = (mode & 16) != 0;
  ctx.options.ForceExtendedIPIs = (mode & 32) != 0;
  ctx.options.ForceExtendedSPL = (mode & 64) != 0;
  int guard = 0;
  while (s.InPlay && ++guard < 200000) ReadNextRecord(s, ctx);
  for (int32_t m : {s.FirstLoggedMin - 1, s.FirstLoggedMin + 1, s.LastLoggedMin, s.LastLoggedMin + 5}) {
    PositionSlot(slots, 1, TRecTime{m, 12345}, ctx, (mode & 128) != 0);
    if (!s.Open) break;
  }
  CloseAllSlots(slots);
  std::remove(MapFileName(s).c_str());
  return 0;
}
