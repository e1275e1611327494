// Any bytes as sound through both front ends: the first two bytes choose the sample rate (8 kHz
// to 5 MHz, the range a header may give) and the front end, the rest are 16-bit samples fed in
// blocks of varying size. Neither may crash, and every group is storable: periods of 1 … 255
// units, ticks that never run backwards.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "recordings/FrontEnd.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const double rate = 8'000.0 + (data[0] | (data[1] & 0x7F) << 8) * 152.0;  // up to about 5 MHz
  zorvel::rec::FrontEndOptions o;
  if (data[1] & 0x80) o.kind = zorvel::rec::FrontEndKind::ZeroCrossing;
  const auto fe = zorvel::rec::MakeFrontEnd(rate, o);
  std::vector<float> samples((size - 2) / 2);
  for (size_t i = 0; i < samples.size(); ++i) {
    int16_t v;
    std::memcpy(&v, data + 2 + 2 * i, 2);
    samples[i] = v;
  }
  // Feeds of 1, 2, 3 … samples, so that frames and segments straddle every boundary.
  for (size_t at = 0, n = 1; at < samples.size(); at += n, n = n % 97 + 1)
    fe->Feed(samples.data() + at, std::min(n, samples.size() - at));
  fe->Finish();
  int64_t last = -1;
  for (const auto& g : fe->Groups()) {
    if (g.tick < last) __builtin_trap();
    last = g.tick;
    for (uint8_t p : g.ipi)
      if (p < 1) __builtin_trap();
  }
  return 0;
}
