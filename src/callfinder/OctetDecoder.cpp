#include "callfinder/OctetDecoder.h"

#include <algorithm>

#include "callfinder/Rounding.h"
#include "core/Bytes.h"
#include "core/CallRecords.h"
#include "core/Tables.h"
#include "core/TimeOrder.h"

namespace zorvel::cf {

int32_t AmpExpand(uint8_t a) {
  if (a <= 128) return a;
  if (a <= 194) return 2 * a - 128;
  return 6 * a - 904;
}

namespace {

// 1.75 times v, in the integer form the logger's own firmware uses: 2v less an eighth of it.
int32_t SevenQuarters(int32_t twoV) {
  return twoV - twoV / 8;
}

}  // namespace

int32_t NoiseReduce(std::array<int32_t, 8>& p, int32_t& origKhz) {
  // A wave split in two by noise shows as two short IPIs between normal neighbours.
  for (int i = 1; i <= 5; ++i) {
    if (SevenQuarters(2 * (p[i] + p[i + 1])) < p[i - 1] + p[i + 2])
      p[i] = p[i + 1] = (p[i - 1] + p[i + 2]) / 2;
  }
  // The same test at the octet's end has no following IPIs to compare with, which leaves a
  // comparison of the last IPI with the one before it.
  if (SevenQuarters(2 * p[7]) < p[6]) p[7] = p[6] / 2;

  int32_t t = 4;
  for (int32_t v : p) t += v;
  int32_t smallest = 255, second = 255;
  for (int32_t v : p) {
    if (v < smallest) {
      smallest = v;
    } else if (v < second) {
      second = v;
    }
  }
  origKhz = KhzOfIpi(std::clamp(t / 8, 0, kKhzTableSize - 1));

  // Long outliers (a missed peak doubles an IPI) are replaced by the mean of the others.
  const int32_t longLimit = second + second / 2;
  int32_t c = 0, x = 0;
  for (int32_t v : p) {
    if (v > longLimit) {
      ++c;
      x += v;
    }
  }
  if (c > 0 && c < 7) {
    const int32_t m = static_cast<int32_t>(RoundDiv(t - x, 8 - c));
    t = 4;
    for (int32_t& v : p) {
      if (v > m + m / 2) v = m;
      t += v;
    }
  }

  // Short outliers (an extra peak) likewise.
  const int32_t shortLimit = t / 16;
  c = 0;
  int32_t y = 0;
  for (int32_t v : p) {
    if (v < shortLimit) {
      ++c;
    } else {
      y += v;
    }
  }
  if (c > 0 && c < 8) {
    const int32_t m = y / (8 - c);
    t = 0;
    for (int32_t& v : p) {
      if (v < m / 2) v = m;
      t += v;
    }
  }
  return t;
}

DecodeOutcome DecodeOctets(MinuteWork& w, const uint8_t* records, size_t recordCount) {
  DecodeOutcome res;
  // The records follow the minute record; wave groups whose time runs backwards are left out as
  // the record reader leaves them out (the file itself is never marked).
  auto used = [](const uint8_t* rec, TimeOrder& order) {
    return rec[0] <= kLastWaveGroupId && !order.RunsBackwards(static_cast<int32_t>(Be24(rec)));
  };
  size_t waveGroups = 0;
  TimeOrder counting;
  for (size_t k = 0; k < recordCount; ++k)
    if (used(records + 16 * k, counting)) ++waveGroups;
  res.truncated = waveGroups > static_cast<size_t>(kMaxOctets);
  int32_t octCount = static_cast<int32_t>(std::min<size_t>(waveGroups, kMaxOctets));
  int32_t r = 1;
  TimeOrder order;
  for (size_t k = 0; k < recordCount && r <= octCount; ++k) {
    const uint8_t* rec = records + 16 * k;
    if (!used(rec, order)) continue;
    std::array<int32_t, 8> p{};
    int32_t invalid = 0, s = 0;
    for (int i = 0; i < 8; ++i) {
      p[i] = rec[3 + i];
      if (p[i] == 0 || p[i] == 255) {
        ++invalid;
      } else {
        s += p[i];
      }
    }
    if (invalid >= 5) {
      --octCount;
      continue;
    }
    if (invalid > 0) {
      const int32_t fill = s / (8 - invalid);
      for (int32_t& v : p)
        if (v == 0 || v == 255) v = fill;
    }
    tOctRec& o = w.oct[r];
    o = tOctRec{};
    o.OctPosn = r;
    o.t1 = rec[0];
    o.t2 = rec[1];
    o.t3 = rec[2];
    o.Time5mu = (o.t1 << 16) | (o.t2 << 8) | o.t3;
    for (int j = 0; j < 4; ++j) o.OctCycPr[j].amp = rec[11 + j];
    o.OctScore = std::max(0, rec[15] - 4);
    if (w.settings.UseNoiseReduction) s = NoiseReduce(p, o.OrigKHZ);
    o.OctIPIarr = p;
    o.IPIsum = std::max(13, s);
    o.Dur5mu = o.IPIsum / 20;
    o.KHZ = 32000 / o.IPIsum;
    o.ampSum = 0;
    for (int j = 0; j < 4; ++j) o.ampSum += AmpExpand(rec[11 + j]);
    o.OctCycPr[0].IPI = (p[0] + p[2]) / 2;
    o.OctCycPr[1].IPI = (p[1] + p[3]) / 2;
    o.OctCycPr[2].IPI = (p[4] + p[6]) / 2;
    o.OctCycPr[3].IPI = (p[5] + p[7]) / 2;
    ++r;
  }
  w.N = r - 1;
  w.oct[0] = tOctRec{};
  w.oct[w.N + 1] = tOctRec{};
  res.octets = w.N;
  return res;
}

}  // namespace zorvel::cf
