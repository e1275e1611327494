// A small deployment for display tests and screenshots: the same bat passes as raw wave groups
// (ZV1) and as calls (ZV2/ZV3), between minute records with light, temperature and batteries.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Tables.h"
#include "support/Synthetic.h"

namespace zorvel::testing {

struct CallShape {
  int startTick;
  int octets;
  int ipiStart, ipiEnd;  // quarter µs
  tCallType type;
  int number;
};

// The wave groups of one call: IPIs glide from ipiStart to ipiEnd, octets back to back.
inline std::vector<int> CallOctetIpis(const CallShape& c) {
  std::vector<int> ipis;
  for (int k = 0; k < c.octets; ++k)
    ipis.push_back(c.ipiStart + (c.ipiEnd - c.ipiStart) * k / std::max(1, c.octets - 1));
  return ipis;
}

inline int OctetTicks(int ipi) {
  return 8 * ipi / 20;
}

inline void AppendZV1Call(SyntheticMinute& m, const CallShape& c) {
  int tick = c.startTick;
  for (int ipi : CallOctetIpis(c)) {
    const uint8_t amp = static_cast<uint8_t>(60 + (ipi * 7) % 90);
    m.records.push_back(WaveGroup(tick, static_cast<uint8_t>(ipi), amp, 24));
    tick += OctetTicks(ipi);
  }
}

inline void AppendZV2Call(SyntheticMinute& m, const CallShape& c) {
  const std::vector<int> ipis = CallOctetIpis(c);
  tCall call;
  call.StartTime = c.startTick;
  call.Number = c.number;
  call.FlightN = 111;
  call.Fmax = KhzOfIpi(std::min(c.ipiStart, c.ipiEnd));
  call.Fmin = KhzOfIpi(std::max(c.ipiStart, c.ipiEnd));
  call.Fstart = KhzOfIpi(c.ipiStart);
  call.Fend = KhzOfIpi(c.ipiEnd);
  call.Fav = (call.Fmax + call.Fmin) / 2;
  call.MinSlopeKHZ = call.Fend;
  call.Duration100Musecs = c.octets * OctetTicks(c.ipiStart) / 20;
  call.CallType = c.type;
  call.SpN = c.type == tcCF ? 3 : 2;
  call.HmicScore = c.type == tcCF ? 5 : 0;
  call.nSelOctInCall = c.octets;
  for (const Record& r : EncodeCall(call)) m.records.push_back(r);
  int tick = c.startTick;
  for (int k = 0; k < c.octets; ++k) {
    const uint8_t ipi = static_cast<uint8_t>(ipis[static_cast<size_t>(k)]);
    tFeatureClass f = tfNotFeature;
    if (k == 2) f = tfMaxFall;
    if (k == c.octets / 2) f = tfDownBend;
    if (k >= c.octets - 2) f = c.type == tcCF ? tfCFflat : tfMinSlope;
    const uint8_t amp = static_cast<uint8_t>(60 + (ipi * 7) % 90);
    m.records.push_back(EncodeZV2WaveGroup(tick, {amp, amp, amp, amp}, {ipi, ipi, ipi, ipi},
                                           c.type == tcCF && k % 3 == 0, k == 5, c.number, f, 24));
    tick += OctetTicks(ipi);
  }
}

struct Deployment {
  std::vector<SyntheticMinute> zv1, zv2;
};

// Minutes from 21:00 on: bats feed through the night in bursts (FM passes most minutes, a
// constant-frequency bat now and then) and the days are quiet, bright and warm.
inline Deployment MakeDeployment(int minutes) {
  Deployment d;
  d.zv1.resize(static_cast<size_t>(minutes));
  d.zv2.resize(static_cast<size_t>(minutes));
  int number = 1;
  for (int m = 0; m < minutes; ++m) {
    const int tod = (21 * 60 + m) % 1440;
    const bool night = tod >= 21 * 60 || tod < 5 * 60;
    const double sun = std::sin((tod - 6 * 60) * 3.14159265 / (14 * 60));  // above 0 from 6:00 to 20:00
    MinuteValues v;
    v.MinON = true;
    v.LightN = static_cast<uint8_t>(std::clamp(sun * 400.0, 0.0, 255.0));
    v.RtcDegC = static_cast<uint8_t>(12 + 6 * std::max(0.0, sun));
    v.PreampHalfDegPlus20 = static_cast<uint8_t>(20 + 2 * v.RtcDegC);
    v.BatInUse = 1;
    v.BatVn = {static_cast<uint8_t>(41 - m / 600), 38, 37, 0};
    d.zv1[static_cast<size_t>(m)].values = v;
    d.zv2[static_cast<size_t>(m)].values = v;
    std::vector<CallShape> calls;
    const int burst = (m * 7919 + 13) % 17;
    if (night && burst > 4) {
      const int n = burst;
      const int base = 200'000 + (m * 104'729) % 6'000'000;
      for (int k = 0; k < n; ++k) calls.push_back({base + k * 18'000, 14, 50 + k % 3, 92 - (m % 5), tcFM, 0});
    }
    if (night && m % 7 == 3)
      for (int k = 0; k < 8; ++k) calls.push_back({7'000'000 + k * 20'000, 30, 48, 48, tcCF, 0});
    std::sort(calls.begin(), calls.end(),
              [](const CallShape& a, const CallShape& b) { return a.startTick < b.startTick; });
    for (CallShape& c : calls) {
      c.number = number++ % 0x3FFF;
      AppendZV1Call(d.zv1[static_cast<size_t>(m)], c);
      AppendZV2Call(d.zv2[static_cast<size_t>(m)], c);
    }
  }
  return d;
}

inline HeaderBytes DeploymentHeader(int32_t first, int minutes, bool calls) {
  HeaderBytes h = MakeHeader(first, first + minutes - 1);
  PutHeaderText(h, hdr::kLocationText, hdr::kLocationLen, "Display meadow");
  if (calls) PutHeaderText(h, hdr::kSpClassifierName, hdr::kClassifierLen, "British0");
  return h;
}

}  // namespace zorvel::testing
