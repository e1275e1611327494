// Writes a small sample ZV1 file (one evening of minutes with regular wave groups) for the
// demo and for trying the programs by hand: make_sample OUT.ZV1 [MINUTES]
#include <cstdio>
#include <cstdlib>

#include "core/TimeBase.h"
#include "support/Synthetic.h"

int main(int argc, char** argv) {
  using namespace zorvel;
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_sample OUT.ZV1 [MINUTES]\n");
    return 2;
  }
  const int minutes = argc > 2 ? std::atoi(argv[2]) : 120;
  const int32_t first = *MinuteNumber(2026, 6, 21, 21, 0);
  std::vector<testing::SyntheticMinute> ms(static_cast<size_t>(minutes));
  for (int m = 0; m < minutes; ++m) {
    auto& mn = ms[static_cast<size_t>(m)];
    mn.values.MinON = true;
    mn.values.LightN = static_cast<uint8_t>(m < 30 ? 200 - 6 * m : 20);
    mn.values.RtcDegC = 15;
    mn.values.PreampHalfDegPlus20 = 50;
    mn.values.BatVn = {38, 37, 0, 0};
    // A pipistrelle-like pass every ten minutes: sweeps settling near 45 kHz.
    if (m % 10 == 3) {
      for (int call = 0; call < 15; ++call) {
        for (int k = 0; k < 6; ++k) {
          const uint8_t ipi = static_cast<uint8_t>(60 + 5 * k);
          mn.records.push_back(testing::WaveGroup(200'000 + call * 18'000 + k * 170, ipi, 120, 24));
        }
      }
    }
  }
  HeaderBytes h = testing::MakeHeader(first, first + minutes - 1);
  PutHeaderText(h, hdr::kLocationText, hdr::kLocationLen, "Demo meadow");
  PutHeaderText(h, hdr::kNotesText, hdr::kNotesLen, "Sample file made by make_sample");
  if (!testing::WriteDataFile(argv[1], h, ms)) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  std::printf("wrote %s (%d minutes)\n", argv[1], minutes);
  return 0;
}
