#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "callfinder/CallAssembly.h"
#include "callfinder/Rounding.h"

namespace zorvel::cf {

namespace {

constexpr int64_t kJoinGapLimit = 200;  // 1 ms
constexpr int64_t kNearGap = 120;       // 0.6 ms: joined without prediction
constexpr int32_t kJoinCountLimit = 2050;
constexpr int32_t kNearCountLimit = 2048;

// Both calls carried to the middle of the gap land within the mismatch limit of each other.
bool PredictionsMeet(const MinuteWork& w, int64_t gap) {
  const auto& o = w.oct;
  const int32_t first = w.callOctets[1], third = w.callOctets[3];
  const int32_t last = w.priorOctets[w.nPriorOctets], thirdLast = w.priorOctets[w.nPriorOctets - 2];
  const int64_t dtNew = int64_t{o[third].Time5mu} - o[first].Time5mu;
  const int64_t dtPrior = int64_t{o[last].Time5mu} - o[thirdLast].Time5mu;
  if (dtNew == 0 || dtPrior == 0) return false;
  const int64_t b = o[first].KHZ - RoundDiv((gap / 2) * (o[third].KHZ - o[first].KHZ), dtNew);
  const int64_t a =
      o[last].KHZ + RoundDiv((std::max<int64_t>(gap, 0) / 2) * (o[last].KHZ - o[thirdLast].KHZ), dtPrior);
  if (o[first].KHZ == 0) return false;
  return Abs64(RoundDiv((b - a) * 200, o[first].KHZ)) < w.settings.MaxMismatch;
}

}  // namespace

bool JoinPriorCall(MinuteWork& w) {
  if (!w.haveAcceptedCall || w.prior.BuzzCall || w.nPriorOctets < 3) return false;
  auto& o = w.oct;
  const int32_t first = w.callOctets[1];
  const int64_t gap = int64_t{o[first].Time5mu} - w.priorLastOctTime;
  const int32_t together = w.nPriorOctets + w.nCallOctets;
  if (gap <= 0 || gap >= kJoinGapLimit || together >= kJoinCountLimit) return false;
  const int32_t last = w.priorOctets[w.nPriorOctets];
  const bool near =
      gap < kNearGap && std::abs(o[last].KHZ - o[first].KHZ) < o[last].KHZ / 4 && together < kNearCountLimit;
  if (!near && !PredictionsMeet(w, gap)) return false;

  for (int32_t k = 1; k <= w.nPriorOctets; ++k) o[w.priorOctets[k]].FeatureType = tfNotFeature;
  if (last + 1 < first) o[first].GapPrecedes = true;
  w.cur.OctFitSum += w.prior.OctFitSum;
  w.cur.nGoodFits += w.prior.nGoodFits;
  w.cur.SeqOctPercentFitSum += w.prior.SeqOctPercentFitSum;
  std::memmove(&w.callOctets[w.nPriorOctets + 1], &w.callOctets[1],
               sizeof(int32_t) * static_cast<size_t>(w.nCallOctets));
  std::memcpy(&w.callOctets[1], &w.priorOctets[1], sizeof(int32_t) * static_cast<size_t>(w.nPriorOctets));
  w.nCallOctets = together;
  w.cur.nSelOctInCall = together;
  w.cur.Joined = true;
  return true;
}

}  // namespace zorvel::cf
