// Any bytes as a WAV recording: the layout reader and the sample stream must never crash or
// read past what they were given, and every sample they give is a finite number on the 16-bit
// scale. The first byte picks the channel.
#include <cmath>
#include <cstdint>
#include <vector>

#include "recordings/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  zorvel::rec::MemoryByteSource src(data + 1, size - 1);
  const zorvel::rec::WavLayout w = zorvel::rec::ReadWavLayout(src);
  if (!w.ok) return 0;
  if (w.frames * w.blockAlign > size) __builtin_trap();
  zorvel::rec::SampleStream s(src, w, data[0] % w.channels);
  std::vector<float> out(257);
  uint64_t total = 0;
  while (const size_t n = s.Read(out.data(), out.size())) {
    for (size_t i = 0; i < n; ++i)
      if (!std::isfinite(out[i]) || std::fabs(out[i]) > 32768.0f) __builtin_trap();
    total += n;
  }
  if (total != w.frames) __builtin_trap();
  return 0;
}
