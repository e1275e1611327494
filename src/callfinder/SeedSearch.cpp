#include <algorithm>

#include "callfinder/CallAssembly.h"
#include "callfinder/CallEmitter.h"
#include "callfinder/Rounding.h"

namespace zorvel::cf {

namespace {

void AddSeedOctet(MinuteWork& w, int32_t o) {
  w.SeedScoreSum += w.oct[o].OctScore;
  w.SeedMinScore = std::min(w.SeedMinScore, w.oct[o].OctScore);
  w.SeedGapSum += w.oct[o].postGap;
}

}  // namespace

SeedOutcome TrySeed(MinuteWork& w, int32_t j) {
  SeedOutcome res;
  const auto& o = w.oct;
  w.callOctets[1] = j;
  w.callOctets[2] = j + 1;
  w.SeedCount = 0;
  w.SeedScoreSum = o[j].OctScore + o[j + 1].OctScore;
  w.SeedMinScore = std::min(o[j].OctScore, o[j + 1].OctScore);
  w.SeedGapSum = o[j].postGap + o[j + 1].postGap;
  w.SeedMismatchSum = 0;
  if (o[j].Time5mu >= o[j + 1].Time5mu) {
    res.result = SeedResult::OutOfOrder;
    return res;
  }
  const int64_t max = w.settings.MaxMismatch;
  const int64_t dk1 = o[j + 1].KHZ - o[j].KHZ;
  const int64_t dt1 = int64_t{o[j + 1].Time5mu} - o[j].Time5mu;
  const int64_t p3 =
      ClampPrediction(PredictAlong(o[j + 1].KHZ, int64_t{o[j + 2].Time5mu} - o[j + 1].Time5mu, dk1, dt1));
  const int64_t m3 = ScaledMismatch(p3, o[j + 2].KHZ, o[j + 1].KHZ);
  if (Abs64(m3) >= max) {
    res.result = SeedResult::ThirdFailed;
    return res;
  }
  w.SeedCount = 3;
  w.callOctets[3] = j + 2;
  AddSeedOctet(w, j + 2);
  w.SeedMismatchSum = static_cast<int32_t>(Abs64(m3));

  res.result = SeedResult::FourthFailed;
  if (o[j + 2].postGap >= 85) return res;
  const int64_t dk2 = o[j + 2].KHZ - o[j + 1].KHZ;
  const int64_t dt2 = std::max<int64_t>(1, int64_t{o[j + 2].Time5mu} - o[j + 1].Time5mu);
  auto predictFrom2 = [&](int32_t target) {
    const int64_t p =
        ClampPrediction(PredictAlong(o[j + 2].KHZ, int64_t{o[target].Time5mu} - o[j + 2].Time5mu, dk2, dt2));
    return ScaledMismatch(p, o[target].KHZ, o[j + 2].KHZ);
  };
  int32_t fourth = 0;
  int64_t m4 = predictFrom2(j + 3);
  if (Abs64(m4) < max) {
    fourth = j + 3;
  } else {
    if (o[j + 4].InBuzz || o[j + 3].postGap > 85) {
      if (o[j + 4].NoctInBzCall > 0) res.resumeAfterBuzz = EmitBuzzAt(w, j + 4);
      return res;
    }
    m4 = predictFrom2(j + 4);
    if (Abs64(m4) >= max) return res;
    fourth = j + 4;
  }
  w.SeedCount = 4;
  w.callOctets[4] = fourth;
  AddSeedOctet(w, fourth);
  w.SeedMismatchSum += static_cast<int32_t>(Abs64(m4));
  if (w.SeedScoreSum >= 16 && w.SeedMinScore >= 6 && w.SeedMismatchSum <= 30) res.result = SeedResult::Found;
  return res;
}

void StartCandidate(MinuteWork& w) {
  w.cur = tCall{};
  w.cur.SeqOctPercentFitSum = w.SeedMismatchSum;
  w.cur.nSelOctInCall = 4;
  w.nCallOctets = 4;
  for (int k = 1; k <= 4; ++k) w.oct[w.callOctets[k]].InCall = true;
}

}  // namespace zorvel::cf
