#include <algorithm>
#include <cstring>

#include "callfinder/CallAssembly.h"
#include "callfinder/Rounding.h"

namespace zorvel::cf {

namespace {

constexpr int32_t kBackwardLimit = 2048;
constexpr int32_t kForwardEntryLimit = 2036;
constexpr int32_t kForwardLengthLimit = 2049;
constexpr int32_t kNotTried1 = 222, kNotTried2 = 223;

void Prepend(MinuteWork& w, int32_t octet) {
  std::memmove(&w.callOctets[2], &w.callOctets[1], sizeof(int32_t) * static_cast<size_t>(w.nCallOctets));
  w.callOctets[1] = octet;
  ++w.nCallOctets;
  w.cur.nSelOctInCall = w.nCallOctets;
}

void Append(MinuteWork& w, int32_t octet) {
  w.callOctets[++w.nCallOctets] = octet;
  w.cur.nSelOctInCall = w.nCallOctets;
}

}  // namespace

void ExtendBackward(MinuteWork& w) {
  const auto& o = w.oct;
  const int64_t max = w.settings.MaxMismatch;
  while (w.nCallOctets < kBackwardLimit) {
    const int32_t f = w.callOctets[1];
    const int32_t third = w.callOctets[3];
    const int32_t e = f - 1;
    if (e <= 0 || o[e].InCall || o[e].InBuzz) break;
    const int64_t dts = int64_t{o[third].Time5mu} - o[f].Time5mu;
    if (dts == 0) break;  // no slope can be drawn through two octets at one moment
    const int64_t dk = o[third].KHZ - o[f].KHZ;
    const int64_t earliest = int64_t{o[f].Time5mu} - 6 * o[f].Dur5mu;
    if (o[e].postGap > 85 || o[e].Time5mu < earliest) break;
    auto mismatch = [&](int32_t x) {
      const int64_t p =
          ClampPrediction(PredictAlong(o[f].KHZ, -(int64_t{o[f].Time5mu} - o[x].Time5mu), dk, dts));
      return ScaledMismatch(p, o[x].KHZ, o[f].KHZ);
    };
    const int64_t me = mismatch(e);
    int32_t chosen = e;
    if (Abs64(me) < max) {
      w.cur.SeqOctPercentFitSum += static_cast<int32_t>(Abs64(me));
      if (me < 5) ++w.cur.nGoodFits;
    } else {
      auto usable = [&](int32_t x) {
        return !o[x].InCall && o[x].NoctInBzCall < 1 && o[x].Time5mu > earliest;
      };
      const int64_t m1 = e > 1 && usable(e - 1) ? mismatch(e - 1) : kNotTried1;
      const int64_t m2 = e > 2 && usable(e - 2) ? mismatch(e - 2) : kNotTried2;
      if (std::min({Abs64(me), Abs64(m1), Abs64(m2)}) >= max) break;
      const bool second = m2 < m1;
      const int64_t altM = second ? m2 : m1;
      int64_t chosenM = altM;
      chosen = second ? e - 2 : e - 1;
      if (me < altM) {
        chosen = e;
        chosenM = me;
      }
      w.cur.SeqOctPercentFitSum += static_cast<int32_t>(Abs64(chosenM));
      if (Abs64(chosenM) < max / 2) ++w.cur.nGoodFits;
    }
    w.oct[chosen].InCall = true;
    Prepend(w, chosen);
  }
}

void ExtendForward(MinuteWork& w) {
  auto& o = w.oct;
  const int64_t max = w.settings.MaxMismatch;
  int32_t k = w.nCallOctets;
  int32_t z = w.callOctets[k];
  int64_t limit = int64_t{o[z].Time5mu} + 8 * o[z].Dur5mu;
  int32_t c = z + 1;
  while (c < w.N) {
    if (o[c].Time5mu >= limit || o[c].preGap > 84 || k > kForwardEntryLimit || o[c].InBuzz) break;
    const int32_t back = w.callOctets[k - 2];
    const int64_t dk = o[z].KHZ - o[back].KHZ;
    const int64_t dts = std::max<int64_t>(1, int64_t{o[z].Time5mu} - o[back].Time5mu);
    auto predict = [&](int32_t x) {
      return PredictAlong(o[z].KHZ, int64_t{o[x].Time5mu} - o[z].Time5mu, dk, dts);
    };
    const int64_t m = ScaledMismatch(predict(c), o[c].KHZ, o[z].KHZ);
    int32_t appended = 0;
    if (Abs64(m) < max) {
      w.cur.SeqOctPercentFitSum += static_cast<int32_t>(Abs64(m));
      if (Abs64(m) < max / 2) ++w.cur.nGoodFits;
      o[c].InCall = true;
      appended = c;
      ++c;
    } else {
      if (c + 1 > w.N) break;
      const tOctRec& n1 = o[c + 1];
      if (n1.Time5mu >= limit || n1.preGap > 84 || n1.InBuzz || n1.NoctInBzCall > 0) break;
      const int64_t m1 = ScaledMismatch(ClampPrediction(predict(c + 1)), n1.KHZ, o[z].KHZ);
      int64_t m2 = kNotTried2;
      if (c + 2 <= w.N && o[c + 2].preGap < 85 && o[c + 2].Time5mu < limit) {
        if (o[c + 2].InBuzz) break;
        m2 = ScaledMismatch(ClampPrediction(predict(c + 2)), o[c + 2].KHZ, o[z].KHZ);
      }
      if (std::min({Abs64(m), Abs64(m1), Abs64(m2)}) >= max) break;
      const bool takeSecond = Abs64(m2) < Abs64(m1);
      const int64_t chosenM = takeSecond ? m2 : m1;
      appended = takeSecond ? c + 2 : c + 1;
      w.cur.SeqOctPercentFitSum += static_cast<int32_t>(Abs64(chosenM));
      if (Abs64(chosenM) < max / 2) ++w.cur.nGoodFits;
      // The octet passed over is the one marked as taken; the appended one stays free.
      o[c].InCall = true;
      c = appended + 1;
    }
    Append(w, appended);
    k = w.nCallOctets;
    z = appended;
    limit = int64_t{o[z].Time5mu} + 4 * o[z].Dur5mu + 2;
    if (k > kForwardLengthLimit) break;
  }
}

}  // namespace zorvel::cf
