// Hand-built octets for the call finder's step tests: fields set directly, as the decoder and
// the gap step would have left them.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "callfinder/CallEmitter.h"
#include "callfinder/MinuteWork.h"
#include "core/CallRecords.h"

namespace zorvel::test {

// A minute's work area whose octets 1 … n are set by the caller.
inline std::unique_ptr<cf::MinuteWork> Work(FinderSettings s = {}) {
  auto w = std::make_unique<cf::MinuteWork>(s);
  w->StartMinute();
  return w;
}

// A minute whose calls are given; their records sit in the output buffer as the emitter leaves
// them, numbered 1 … n in the order given.
inline std::unique_ptr<cf::MinuteWork> MinuteOfCalls(const std::vector<tCall>& calls, FinderSettings s = {}) {
  auto w = Work(s);
  w->outLen = 16;
  for (size_t i = 0; i < calls.size(); ++i) {
    tCall c = calls[i];
    c.Number = static_cast<int32_t>(i) + 1;
    c.ClBufPosnOfStart = static_cast<int32_t>(w->outLen);
    w->calls[c.Number] = c;
    for (const Record& r : c.BuzzCall ? cf::EncodeBuzzCall(c) : cf::EncodeFoundCall(c)) w->Put(r.data());
  }
  w->callCount = static_cast<int32_t>(calls.size());
  return w;
}

// Octet i: start tick, frequency, octet score; its IPIs are the steady IPIs of that frequency.
inline tOctRec& SetOct(cf::MinuteWork& w, int32_t i, int32_t time, int32_t khz, int32_t score = 10) {
  tOctRec& o = w.oct[i];
  o = tOctRec{};
  o.OctPosn = i;
  o.Time5mu = time;
  o.t1 = static_cast<uint8_t>(time >> 16);
  o.t2 = static_cast<uint8_t>(time >> 8);
  o.t3 = static_cast<uint8_t>(time);
  o.KHZ = khz;
  o.IPIsum = 32000 / khz;
  o.Dur5mu = o.IPIsum / 20;
  o.OctIPIarr.fill(o.IPIsum / 8);
  for (auto& p : o.OctCycPr) {
    p.IPI = o.IPIsum / 8;
    p.amp = 150;
  }
  o.ampSum = 4 * 172;
  o.OctScore = score;
  w.N = std::max(w.N, i);
  return o;
}

// A ZV1 wave-group record of eight equal IPIs.
inline Record SteadyRecord(int32_t tick, uint8_t ipi, uint8_t score = 20, uint8_t amp = 160) {
  std::array<uint8_t, 8> ipis;
  ipis.fill(ipi);
  std::array<uint8_t, 4> amps;
  amps.fill(amp);
  return EncodeZV1WaveGroup(tick, ipis, amps, score);
}

}  // namespace zorvel::test
