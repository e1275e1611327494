#include <algorithm>

#include "callfinder/CallParams.h"
#include "callfinder/Rounding.h"

namespace zorvel::cf {

namespace {
constexpr int32_t kGapUnit = 16;   // 80 µs in 5-µs ticks
constexpr int32_t kFarGap = 4096;  // gaps this long or longer read as "no neighbour"
constexpr int32_t kNoNeighbour = 255;
}  // namespace

// Only the simple measures; the rest (EndTime among them) stay 0.
tCall MeasureBuzzCall(const MinuteWork& w, int32_t first, int32_t count) {
  tCall c{};
  const int32_t last = std::min(first + count - 1, w.N);
  const int32_t m = std::max(1, last - first + 1);
  const auto& o = w.oct;
  c.Number = w.callCount + 1;
  c.nSelOctInCall = m;
  c.StartTime = o[first].Time5mu;
  c.Duration100Musecs = (o[last].Time5mu - o[first].Time5mu) / 20;
  c.Fstart = o[first].KHZ;
  c.Fend = o[last].KHZ;
  int32_t loudest = -1, minK = 255, maxK = 0, scoreSum = 0;
  for (int32_t k = first; k <= last; ++k) {
    c.AmpSum += o[k].ampSum;
    if (o[k].ampSum > loudest) {
      loudest = o[k].ampSum;
      c.ModalKHZ = o[k].KHZ;
    }
    c.Fsum += o[k].KHZ;
    minK = std::min(minK, o[k].KHZ);
    maxK = std::max(maxK, o[k].KHZ);
    scoreSum += o[k].OctScore;
  }
  c.Fmin = minK;
  c.Fmax = maxK;
  c.Fav = static_cast<int32_t>(RoundDiv(c.Fsum, m));
  c.AmpAv = c.AmpSum / 8 / m;
  c.avScore = static_cast<int32_t>(std::min<int64_t>(15, RoundDiv(scoreSum, m)));
  c.BuzzCall = true;
  return c;
}

void SetCallGaps(MinuteWork& w) {
  for (int32_t i = 1; i <= w.callCount; ++i) {
    tCall& c = w.calls[i];
    if (i == w.callCount) {
      c.GapToNextCall = kNoNeighbour;
    } else {
      const int64_t d = std::max<int64_t>(0, int64_t{w.calls[i + 1].StartTime} - c.EndTime);
      c.GapToNextCall = d < kFarGap ? static_cast<int32_t>(d / kGapUnit) : kNoNeighbour;
    }
    c.GapToPriorCall = i == 1 ? kNoNeighbour : w.calls[i - 1].GapToNextCall;
  }
}

}  // namespace zorvel::cf
