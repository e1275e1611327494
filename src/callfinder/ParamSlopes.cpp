#include <algorithm>
#include <cstdlib>

#include "callfinder/CallParams.h"
#include "callfinder/Rounding.h"

namespace zorvel::cf::params {

namespace {

int32_t RatePerMsec(int32_t dIpiSum, int64_t dt) {
  if (dt <= 0) dt = 1;
  return static_cast<int32_t>(int64_t{dIpiSum} * 100 / dt);
}

}  // namespace

void SlopesAndRates(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& q = w.callOctets;
  const int32_t n = w.nCallOctets;
  auto& o = w.oct;
  auto ipiSum = [&](int32_t k) { return o[q[k]].IPIsum; };
  auto of5 = [&](int32_t k) -> int32_t& { return o[q[k]].IPIsumOf5; };
  auto f = [&](int32_t k) -> int32_t& { return o[q[k]].FourOctIPIchange; };

  // Five-point smoothing of the IPI sums, with the ends weighted towards themselves.
  for (int32_t k = 3; k <= n - 2; ++k)
    of5(k) = ipiSum(k - 2) + ipiSum(k - 1) + ipiSum(k) + ipiSum(k + 1) + ipiSum(k + 2);
  of5(1) = 5 * ipiSum(1);
  of5(2) = ipiSum(1) + 3 * ipiSum(2) + ipiSum(3);
  of5(n - 1) = ipiSum(n) + 3 * ipiSum(n - 1) + ipiSum(n - 2);
  of5(n) = 5 * ipiSum(n);

  // The slope is per octet of the minute: skipped octets widen the span it is divided by.
  for (int32_t k = 3; k <= n - 2; ++k) {
    int32_t v = of5(k + 2) - of5(k - 2);
    const int32_t span = q[k + 2] - q[k - 2];
    if (span > 4) v = v * 4 / span;
    f(k) = v;
  }
  {
    int32_t v = 2 * (of5(3) - of5(1));
    const int32_t span = q[3] - q[1];
    if (span > 2) v = v * 2 / span;
    f(2) = v;
  }
  {
    // Over skipped octets the difference is divided by the span first and then doubled.
    const int32_t diff = of5(n) - of5(n - 2);
    const int32_t span = q[n] - q[n - 2];
    f(n - 1) = span > 2 ? diff / span * 2 : 2 * diff;
  }
  c.preEndSlope = f(n - 1);

  // Smoothing over three positions, counting how often the slope climbs (a falling frequency).
  int32_t rising = 0;
  int32_t carried = f(2);
  for (int32_t k = 3; k <= n - 2; ++k) {
    const int32_t here = f(k);
    const int32_t u = (f(k + 1) + carried + here) / 3;
    if (f(k - 1) + 10 < u) {
      ++rising;
    } else if (u < 10) {
      --rising;
    }
    f(k) = u;
    carried = here;
  }
  c.RisingIPIindex = std::min(255, std::max(0, 2 * std::max(0, rising - 2) - n + 50));
  c.ZeroedRisingIndex = c.RisingIPIindex - 43;

  const int32_t quarter = static_cast<int32_t>(RoundDiv(n, 4));
  auto t = [&](int32_t k) { return int64_t{o[q[k]].Time5mu}; };
  const int32_t dur = std::max(1, c.Duration100Musecs);
  c.avIPIchangePerMsec = (ipiSum(n) - ipiSum(1)) * 100 / dur;
  c.avKHZchangePerMsec = (32000 / ipiSum(n) - 32000 / ipiSum(1)) * 100 / dur;
  const int32_t bodyEnd = std::clamp(n - quarter + 1, 1, n), bodyStart = std::clamp(quarter, 1, n);
  c.avBodyIPIchangePerMsec = RatePerMsec(ipiSum(bodyEnd) - ipiSum(bodyStart), t(bodyEnd) - t(bodyStart));
  c.SecondHalfIPIchangePerMsec = RatePerMsec(ipiSum(n) - ipiSum(n / 2), t(n) - t(n / 2));
  c.FirstQtrIPIchangePerMsec = RatePerMsec(ipiSum(n / 4 + 1) - ipiSum(1), t(n / 4 + 1) - t(1));
  c.LastQtrIPIchangePerMsec = RatePerMsec(ipiSum(n) - ipiSum(n - n / 4), t(n) - t(n - n / 4));
  c.EndQtrIPIratio = std::max(1, std::abs(16 * c.FirstQtrIPIchangePerMsec)) /
                     (c.LastQtrIPIchangePerMsec > 0 ? c.LastQtrIPIchangePerMsec : 1);
}

void SteepestAndMinimum(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& q = w.callOctets;
  const int32_t n = w.nCallOctets;
  auto& o = w.oct;
  int32_t riseOct = 0, fallOct = 0;
  c.MaxIPIrise = c.MaxIPIfall = 0;
  for (int32_t k = 3; k <= n - 2; ++k) {
    const int32_t v = o[q[k]].FourOctIPIchange;
    if (v > c.MaxIPIrise) {
      c.MaxIPIrise = v;
      riseOct = q[k];
    }
    if (v < c.MaxIPIfall) {
      c.MaxIPIfall = v;
      fallOct = q[k];
    }
  }
  c.MaxIPIriseKHZ = o[riseOct].KHZ;
  c.MaxIPIfallKHZ = o[fallOct].KHZ;
  // A rising period is a falling frequency, and the other way round.
  if (riseOct > 0) o[riseOct].FeatureType = tfMaxFall;
  if (fallOct > 0) o[fallOct].FeatureType = tfMaxRise;

  int32_t chosen = 3;
  if (n > 6) {
    int64_t best = INT64_MAX;
    for (int32_t k = 4; k <= n - 3; ++k) {
      const tOctRec& x = o[q[k]];
      if (x.IPIsum <= 0) continue;
      const int64_t rel = RoundDiv(16 * int64_t{std::abs(x.FourOctIPIchange)}, x.IPIsum);
      if (rel < best) {
        best = rel;
        chosen = k;
      }
    }
  }
  c.MinSlopeKHZ = o[q[chosen]].KHZ;
  o[q[chosen]].FeatureType = tfMinSlope;
}

}  // namespace zorvel::cf::params
