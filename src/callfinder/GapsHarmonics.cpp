#include <algorithm>
#include <cstdlib>

#include "callfinder/OctetDecoder.h"

namespace zorvel::cf {

void ComputeGapsAndHarmonics(MinuteWork& w) {
  for (int32_t i = 1; i <= w.N; ++i) {
    tOctRec& o = w.oct[i];
    const tOctRec& before = w.oct[i - 1];
    const tOctRec& after = w.oct[i + 1];
    // Silences are measured in sixteenths of the octet's own duration.
    const int64_t pre = std::max<int64_t>(0, int64_t{o.Time5mu} - before.Time5mu - before.Dur5mu);
    const int64_t post = std::max<int64_t>(0, int64_t{after.Time5mu} - o.Time5mu - o.Dur5mu);
    // Times are 24-bit, so sixteen times a gap fits 32 bits and the division can be a 32-bit one.
    const uint32_t span = static_cast<uint32_t>(o.Dur5mu + 2);
    o.preGap = static_cast<int32_t>(static_cast<uint32_t>(pre) * 16u / span);
    o.postGap = static_cast<int32_t>(static_cast<uint32_t>(post) * 16u / span);

    // A harmonic shows as alternating long and short waves, or loud and quiet ones.
    const auto& c = o.OctCycPr;
    int32_t g = std::abs(c[0].IPI + c[2].IPI - c[1].IPI - c[3].IPI) * 256 / std::max(1, o.IPIsum);
    int32_t a = std::abs(c[0].amp + c[2].amp - c[1].amp - c[3].amp) * 256 / std::max(1, o.ampSum);
    const int32_t quiet = std::max(0, 1500 - o.ampSum);
    g -= quiet / 80;
    a -= quiet / 32;
    if (std::max(g, a) > 3) o.OctHmic = std::max(0, a) + std::max(0, g);
  }
}

}  // namespace zorvel::cf
