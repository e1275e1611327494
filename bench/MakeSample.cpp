// Writes a sample ZV1 file (an evening of minutes with a pipistrelle-like pass every ten minutes)
// for the demo, for trying the programs by hand and for the benchmarks:
//   make_sample OUT.ZV1 [MINUTES] [BUSY]
// BUSY adds that many wave groups of varied periods to every minute, for a large file
// (2000 a minute make about 32 KB a minute: 10000 minutes are some 320 MB). Minutes are written
// one at a time, so a large file needs no more memory than a small one.
#include <cstdio>
#include <cstdlib>

#include "core/TimeBase.h"
#include "core/ZvWriter.h"
#include "support/Synthetic.h"

int main(int argc, char** argv) {
  using namespace zorvel;
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_sample OUT.ZV1 [MINUTES] [BUSY]\n");
    return 2;
  }
  const int minutes = argc > 2 ? std::atoi(argv[2]) : 120;
  const int busy = argc > 3 ? std::atoi(argv[3]) : 0;
  if (minutes < 1 || busy < 0 || busy > 100'000) {
    std::fprintf(stderr, "make_sample: MINUTES must be 1 or more and BUSY 0 to 100000\n");
    return 2;
  }
  const int32_t first = *MinuteNumber(2026, 6, 21, 21, 0);
  HeaderBytes h = testing::MakeHeader(first, first + minutes - 1);
  PutHeaderText(h, hdr::kLocationText, hdr::kLocationLen, "Demo meadow");
  PutHeaderText(h, hdr::kNotesText, hdr::kNotesLen, "Sample file made by make_sample");
  ZvFileWriter w(argv[1], h);
  uint32_t x = 1;
  // The pass comes a second into its minute, or after the busy wave groups when there are some.
  const int32_t passStart = busy > 0 ? 10'000'000 : 200'000;
  bool ok = w.IsOpen();
  for (int m = 0; m < minutes && ok; ++m) {
    MinuteValues v;
    v.MinON = true;
    v.LightN = static_cast<uint8_t>(m < 30 ? 200 - 6 * m : 20);
    v.RtcDegC = 15;
    v.PreampHalfDegPlus20 = 50;
    v.BatVn = {38, 37, 0, 0};
    ok = w.Append(EncodeMinuteRecord(v));
    // Busy minutes: wave groups spread over the first 50 seconds, before the pass's.
    for (int k = 0; k < busy && ok; ++k) {
      x = x * 1664525u + 1013904223u;
      const int32_t tick = static_cast<int32_t>(static_cast<int64_t>(k) * 10'000'000 / busy) + 1;
      ok = w.Append(testing::WaveGroup(tick, static_cast<uint8_t>(20 + ((x >> 8) & 127)),
                                       static_cast<uint8_t>(x >> 24), static_cast<int32_t>(x & 31)));
    }
    // A pipistrelle-like pass every ten minutes: sweeps settling near 45 kHz.
    if (m % 10 == 3) {
      for (int call = 0; call < 15 && ok; ++call) {
        for (int k = 0; k < 6 && ok; ++k) {
          const uint8_t ipi = static_cast<uint8_t>(60 + 5 * k);
          ok = w.Append(testing::WaveGroup(passStart + call * 18'000 + k * 170, ipi, 120, 24));
        }
      }
    }
  }
  if (!ok || !w.Finish()) {
    std::fprintf(stderr, "could not write %s: %s\n", argv[1], w.ErrorText().c_str());
    return 1;
  }
  std::printf("wrote %s (%d minutes)\n", argv[1], minutes);
  return 0;
}
