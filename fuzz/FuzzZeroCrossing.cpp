// Any bytes as a zero-crossing file: the reader must never crash or read past the end, and the
// waves made of what it decodes form whole groups with periods of at least one unit.
#include <cstdint>

#include "recordings/ZeroCrossing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  zorvel::rec::MemoryByteSource src(data, size);
  const zorvel::rec::ZeroCrossingFile f = zorvel::rec::ReadZeroCrossing(src);
  if (!f.ok) return 0;
  if (f.intervals.size() > size) __builtin_trap();  // every interval takes at least one byte
  // Long files of long intervals make many waves; a bounded number keeps each run short.
  if (f.intervals.size() > 4096) return 0;
  for (const auto& g : zorvel::rec::ZeroCrossingGroups(f, 15'000))
    for (uint8_t p : g.ipi)
      if (p < 1) __builtin_trap();
  return 0;
}
