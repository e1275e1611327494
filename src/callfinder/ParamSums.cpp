#include <algorithm>

#include "callfinder/CallParams.h"
#include "callfinder/Rounding.h"
#include "core/Tables.h"

namespace zorvel::cf {

void MeasureCall(MinuteWork& w) {
  // The empty entry after the last position reads as octet 0, whose score is 0.
  w.callOctets[w.nCallOctets + 1] = 0;
  params::SumsAndDistribution(w);
  params::Reverberation(w);
  params::SlopesAndRates(w);
  params::SteepestAndMinimum(w);
  params::Bends(w);
  params::Flats(w);
  params::FeatureSequence(w);
}

namespace params {

namespace {

constexpr int kFirstBin = 11, kLastBin = 252;

// Quartiles and mode of the call's wave periods, from a lightly smoothed histogram.
void Distribution(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& h = w.histogram;
  std::array<int64_t, 256> s{};
  int64_t total = 0;
  for (int i = kFirstBin; i <= kLastBin; ++i) {
    s[i] = h[i - 3] + h[i - 2] + h[i - 1] + 2 * h[i] + h[i + 1] + h[i + 2] + h[i + 3];
    total += s[i];
  }
  const auto& khz = IPIkHzTable();
  int64_t target = RoundDiv(total, 4);
  int stage = 0;
  int64_t running = 0, best = -1;
  int modal = kFirstBin;
  // From long periods to short: the low quartile is met first.
  for (int i = kLastBin; i >= kFirstBin; --i) {
    running += s[i];
    if (stage < 3 && running >= target) {
      if (stage == 0) {
        c.BodyLoKhz = khz[i];
        target = RoundDiv(total, 2);
      } else if (stage == 1) {
        c.MedianKHZ = khz[i];
        target = RoundDiv(3 * total, 4);
      } else {
        c.BodyHiKhz = khz[i];
      }
      ++stage;
    }
    if (s[i] >= best) {  // on a tie the shorter period, the higher frequency, wins
      best = s[i];
      modal = i;
    }
  }
  c.ModalKHZ = khz[modal];
}

}  // namespace

void SumsAndDistribution(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& q = w.callOctets;
  const int32_t n = w.nCallOctets;
  w.histogram.fill(0);
  int32_t minK = 255, maxK = 0, run = 0, scoreSum = 0;
  c.Fsum = c.AmpSum = c.AmpMax = c.HmicScore = c.BestQ = c.BestQ2 = c.TwoQSeq = c.Nmissing = 0;
  for (int32_t k = 1; k <= n; ++k) {
    const tOctRec& o = w.oct[q[k]];
    c.Fsum += o.KHZ;
    c.AmpSum += o.ampSum;
    c.AmpMax = std::max(c.AmpMax, o.ampSum);
    minK = std::min(minK, o.KHZ);
    maxK = std::max(maxK, o.KHZ);
    run = o.OctHmic < 1 ? 0 : run + 1;
    if (run > 4) ++c.HmicScore;
    const int32_t sc = o.OctScore;
    scoreSum += sc;
    if (sc > c.BestQ) {
      c.BestQ = sc;
    } else if (sc > c.BestQ2) {
      c.BestQ2 = sc;
    }
    if (sc > c.TwoQSeq && w.oct[q[k + 1]].OctScore == sc) c.TwoQSeq = sc;
    for (int32_t ipi : o.OctIPIarr) ++w.histogram[static_cast<size_t>(std::clamp(ipi, 0, 255))];
    if (k > 1) {
      if (q[k - 1] + 1 < q[k]) c.Nmissing += q[k] - q[k - 1] - 1;
      c.Nmissing += o.preGap / 8;
    }
  }
  const tOctRec& first = w.oct[q[1]];
  const tOctRec& last = w.oct[q[n]];
  c.nSelOctInCall = n;
  c.StartTime = first.Time5mu;
  c.EndTime = last.Time5mu + last.Dur5mu;
  c.LastOctDuration = last.Dur5mu;
  c.LastOctStartTime = last.Time5mu;
  c.Duration100Musecs = std::abs(c.EndTime - c.StartTime) / 20;
  c.Fstart = first.KHZ;
  c.Fend = last.KHZ;
  c.Fav = c.Fsum / n;
  c.Frange = maxK - minK;
  c.AmpAv = c.AmpSum / 8 / n;
  c.avScore = std::clamp(scoreSum / n, 0, 15);
  c.HmicScore = std::min(c.HmicScore, 127);
  c.avOctFit = c.SeqOctPercentFitSum / (n - 2);

  Distribution(w);
  c.Fmin = std::min(minK, c.BodyLoKhz);
  c.Fmax = std::max(maxK, c.BodyHiKhz);
  c.BodyRnge = c.BodyHiKhz - c.BodyLoKhz;
  c.BodyDivRnge = std::max(1, c.BodyRnge) * 100 / std::max(1, c.Fmax - c.Fmin);
}

void Reverberation(MinuteWork& w) {
  tCall& c = w.cur;
  const tCall& p = w.prior;
  c.Reverb = false;
  const int32_t n = w.nCallOctets;
  // An echo starts soon after the call it repeats, overlaps it in frequency and is weaker.
  if (int64_t{c.StartTime} - w.priorLastOctTime >= 16 * int64_t{w.oct[w.callOctets[1]].Dur5mu}) return;
  if (c.Fmax >= p.Fmin && p.Fmax >= c.Fmin && !p.Reverb && c.avScore < p.avScore && c.AmpAv < p.AmpAv &&
      n < p.nSelOctInCall &&
      RoundDiv(int64_t{p.AmpAv} * (p.avScore - c.avScore), std::max(1, 4 * c.AmpAv)) > 1)
    c.Reverb = true;
}

}  // namespace params
}  // namespace zorvel::cf
