#include <algorithm>
#include <cstdlib>

#include "callfinder/CallParams.h"
#include "callfinder/Rounding.h"

namespace zorvel::cf::params {

namespace {

struct Flat {
  bool present = false;
  int32_t avIpi = 0, score = 0, nOct = 0;
  bool cf = false;
  int32_t firstPos = 0, lastPos = 0;
};

constexpr int kMinScoredCounter = 10;  // a run is scored when its counter exceeds this
constexpr int kSameFlatIpi = 4;

Flat ScoreRun(const MinuteWork& w, int32_t s, int32_t e) {
  const auto& q = w.callOctets;
  const auto& o = w.oct;
  const int32_t c = e - s + 1;
  int64_t ipiSum = 0, wiggleSum = 0;
  for (int32_t i = s; i <= e; ++i) ipiSum += o[q[i]].IPIsum;
  for (int32_t i = s + 1; i <= e; ++i)
    wiggleSum += std::abs(o[q[i]].FourOctIPIchange - o[q[i - 1]].FourOctIPIchange);
  Flat f;
  f.present = true;
  f.avIpi = static_cast<int32_t>(RoundDiv(ipiSum, 8 * int64_t{c}));
  const int64_t x = RoundDiv(wiggleSum, c - 1);
  const int64_t wiggle = x < 4 ? x : 3;
  const int64_t drift = RoundDiv(8 * (int64_t{o[q[s]].IPIsum} - o[q[e]].IPIsum), c);
  const int32_t base = c > 32 ? (c - 25) / 8 + 3 : 3 - (40 - c) / 16;
  f.score = base - (wiggle > 2 ? 1 : 0) - static_cast<int32_t>(Abs64(drift) / 4);
  f.cf = f.score > 2;
  f.nOct = c;
  f.firstPos = s;
  f.lastPos = e;
  return f;
}

void Keep(Flat& flat1, Flat& flat2, const Flat& run) {
  if (!flat1.present) {
    flat1 = run;
  } else if (std::abs(run.avIpi - flat1.avIpi) <= kSameFlatIpi) {
    if (run.score > flat1.score) flat1 = run;
  } else if (!flat2.present || std::abs(run.avIpi - flat2.avIpi) > kSameFlatIpi) {
    flat2 = run;
  } else if (run.score > flat2.score) {
    flat2 = run;
  }
}

void MarkFlat(MinuteWork& w, const Flat& f) {
  if (!f.present || f.lastPos <= 0) return;
  for (int32_t k = f.firstPos; k <= f.lastPos; ++k)
    w.oct[w.callOctets[k]].FeatureType = f.cf ? tfCFflat : tfNonCFflat;
}

}  // namespace

void Bends(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& q = w.callOctets;
  const int32_t n = w.nCallOctets;
  auto& o = w.oct;
  if (n <= 8) return;
  auto f = [&](int32_t k) { return o[q[k]].FourOctIPIchange; };
  // Only the bends found in this measurement count: an octet's Bend may still hold a value from
  // the measurement of another call it belonged to before a join.
  int32_t largest = 0, smallest = 0, largestOct = 0, smallestOct = 0;
  for (int32_t k = 5; k <= n - 4; ++k) {
    if (std::abs(f(k + 3) + f(k - 3)) <= w.settings.BendThreshold) continue;
    int32_t bend = f(k + 3) - f(k - 3);
    if (q[k + 3] - q[k - 3] > 6) bend = bend / (q[k + 2] - q[k - 2]) * 6;
    o[q[k]].Bend = bend;
    if (bend > largest) {
      largest = bend;
      largestOct = q[k];
    }
    if (bend < smallest) {
      smallest = bend;
      smallestOct = q[k];
    }
  }
  if (largest > 15) {
    c.DBkhz = o[largestOct].KHZ;
    c.DBSharp = std::min(15, largest / 16);
    o[largestOct].FeatureType = tfDownBend;
  }
  if (smallest < -15) {
    c.UBkhz = o[smallestOct].KHZ;
    c.UBSharp = std::min(15, -smallest / 16);
    o[smallestOct].FeatureType = tfUpBend;
  }
}

void Flats(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& q = w.callOctets;
  const int32_t n = w.nCallOctets;
  const auto& o = w.oct;
  auto f = [&](int32_t k) { return o[q[k]].FourOctIPIchange; };
  const int32_t wiggle = w.settings.FlatWiggle;
  Flat flat1, flat2;
  int32_t s = 3, e = 3, counter = 1;
  auto window = [&](int32_t from) {
    return static_cast<int32_t>(RoundDiv(int64_t{f(from)} + f(from + 1) + f(from + 2), 3));
  };
  int32_t mid = window(3);
  for (int32_t i = s;; ++i) {
    const int32_t v = f(i);
    const int32_t lo = mid - wiggle, hi = mid + wiggle;
    if (v >= lo && v <= hi && i != n - 1) {
      ++counter;
      e = i;
      continue;
    }
    if (counter > kMinScoredCounter) {
      // A run ends on the way into the next slope: give back its tail while it already leans.
      if (v > lo) {
        while (s + 8 < e && f(e) >= f(e - 1)) {
          --e;
          --counter;
        }
      } else {
        while (s + 8 < e && f(e - 1) >= f(e)) {
          --e;
          --counter;
        }
      }
      if (counter > kMinScoredCounter) Keep(flat1, flat2, ScoreRun(w, s, e));
    }
    if (n - i < 9) break;
    mid = window(i);
    s = i + 1;
    e = s;
    counter = 1;
    i = s - 1;  // the loop's increment brings i to s
  }
  if (flat1.present) {
    c.Flat1avIPI = flat1.avIpi;
    c.Flat1score = flat1.score;
    c.Flat1nOct = flat1.nOct;
    c.Flat1CF = flat1.cf;
  }
  if (flat2.present) {
    c.Flat2avIPI = flat2.avIpi;
    c.Flat2score = flat2.score;
    c.Flat2nOct = flat2.nOct;
    c.Flat2CF = flat2.cf;
  }
  MarkFlat(w, flat1);
  MarkFlat(w, flat2);
}

void FeatureSequence(MinuteWork& w) {
  tCall& c = w.cur;
  const auto& q = w.callOctets;
  const int32_t n = w.nCallOctets;
  c.Seq = 0;
  int codes = 0;
  int32_t lastFlatKhz = 0;
  for (int32_t k = 1; k <= n - 1 && codes < 5; ++k) {
    const tOctRec& o = w.oct[q[k]];
    int code = 0;
    switch (o.FeatureType) {
      case tfMaxFall:
        code = 1;
        break;
      case tfMaxRise:
        code = 2;
        break;
      case tfDownBend:
        code = 3;
        break;
      case tfUpBend:
        code = 4;
        break;
      case tfMinSlope:
        code = 6;
        break;
      case tfCFflat:
      case tfNonCFflat:
        // One digit per flat: a flat octet counts only at a new frequency.
        if (std::abs(o.KHZ - lastFlatKhz) >= 6) {
          code = o.FeatureType == tfCFflat ? 5 : 7;
          lastFlatKhz = o.KHZ;
        }
        break;
      default:
        break;
    }
    if (code != 0) {
      c.Seq = c.Seq * 8 + code;
      ++codes;
    }
  }
}

}  // namespace zorvel::cf::params
