#include "callfinder/CallEmitter.h"

#include <algorithm>
#include <string>

#include "callfinder/CallParams.h"
#include "callfinder/Messages.h"

namespace zorvel::cf {

namespace {

void NoteLimitIfReached(MinuteWork& w) {
  if (w.callCount < kMaxCalls || w.limitReached) return;
  w.limitReached = true;
  w.notices.push_back(
      {std::string(cfmsg::kCallLimit1) + std::to_string(kMaxCalls) + std::string(cfmsg::kCallLimit2), 5000,
       false});
}

void PutCall(MinuteWork& w, const std::array<Record, 3>& recs) {
  for (const Record& r : recs) w.Put(r.data());
}

}  // namespace

std::array<Record, 3> EncodeFoundCall(const tCall& c) {
  tCall s = c;
  s.FlightN = kFlightNumberOfFinder;
  // In memory the finder keeps the index as it is stored; the encoder adds the reader's offset.
  s.RisingIPIindex = c.RisingIPIindex - kRisingIndexOffset;
  s.Marked = false;
  s.BuzzCall = false;
  s.CallType = tcNoSp;
  s.SpN = s.Sp2N = s.Sp3N = s.SpConfidence = 0;
  return EncodeCall(s);
}

std::array<Record, 3> EncodeBuzzCall(const tCall& c) {
  tCall s{};
  s.StartTime = c.StartTime;
  s.Number = c.Number;
  s.Duration100Musecs = c.Duration100Musecs;
  s.Fav = c.Fav;
  s.Fmin = c.Fmin;
  s.Fmax = c.Fmax;
  s.Fstart = c.Fstart;
  s.Fend = c.Fend;
  s.AmpAv = c.AmpAv;
  s.nSelOctInCall = c.nSelOctInCall;
  s.MinSlopeKHZ = s.MaxIPIriseKHZ = s.BodyHiKhz = s.BodyLoKhz = s.MedianKHZ = s.ModalKHZ = c.Fav;
  s.RisingIPIindex = -kRisingIndexOffset;  // the stored byte is 0
  s.BuzzCall = true;
  return EncodeCall(s);
}

Record EncodeCallOctet(const tOctRec& o, int32_t callNumber, bool buzz) {
  std::array<uint8_t, 4> amps{}, ipis{};
  for (int j = 0; j < 4; ++j) {
    amps[j] = static_cast<uint8_t>(std::clamp(o.OctCycPr[j].amp, 0, 255));
    ipis[j] = static_cast<uint8_t>(std::clamp(o.OctCycPr[j].IPI, 0, 255));
  }
  Record r = EncodeZV2WaveGroup(0, amps, ipis, !buzz && o.OctHmic >= 1, o.GapPrecedes, buzz ? 0 : callNumber,
                                o.FeatureType, std::min(31, o.OctScore));
  // The time bytes go back exactly as the logger wrote them.
  r[0] = o.t1;
  r[1] = o.t2;
  r[2] = o.t3;
  return r;
}

void EmitCall(MinuteWork& w) {
  tCall& c = w.cur;
  if (c.Joined) {
    w.outLen = static_cast<size_t>(w.prior.ClBufPosnOfStart);
    c.Number = w.prior.Number;
    w.counters.octetsInCalls += w.nCallOctets - w.nPriorOctets;
  } else {
    c.Number = ++w.callCount;
    w.counters.octetsInCalls += w.nCallOctets;
  }
  c.FlightN = kFlightNumberOfFinder;
  c.ClBufPosnOfStart = static_cast<int32_t>(w.outLen);
  w.calls[c.Number] = c;
  PutCall(w, EncodeFoundCall(c));
  for (int32_t k = 1; k <= w.nCallOctets; ++k) {
    const Record r = EncodeCallOctet(w.oct[w.callOctets[k]], c.Number, false);
    w.Put(r.data());
  }
  w.prior = c;
  w.priorLastOctTime = w.oct[w.callOctets[w.nCallOctets]].Time5mu;
  std::copy(w.callOctets.begin() + 1, w.callOctets.begin() + 1 + w.nCallOctets, w.priorOctets.begin() + 1);
  w.nPriorOctets = w.nCallOctets;
  std::fill(w.callOctets.begin() + 1, w.callOctets.begin() + 1 + w.nCallOctets, 0);
  w.nCallOctets = 0;
  w.haveAcceptedCall = true;
  NoteLimitIfReached(w);
}

int32_t EmitBuzzAt(MinuteWork& w, int32_t x) {
  const int32_t id = w.buzzOfOctet[x];
  if (id <= 0) return x + std::max(1, w.oct[x].NoctInBzCall);
  BuzzMark& b = w.buzzes[static_cast<size_t>(id - 1)];
  const int32_t after = b.first[b.nCalls - 1] + b.count[b.nCalls - 1];
  if (b.emitted) return after;
  b.emitted = true;
  for (int g = 0; g < b.nCalls && w.callCount < kMaxCalls; ++g) {
    tCall c = MeasureBuzzCall(w, b.first[g], b.count[g]);
    c.Number = ++w.callCount;
    c.ClBufPosnOfStart = static_cast<int32_t>(w.outLen);
    w.calls[c.Number] = c;
    PutCall(w, EncodeBuzzCall(c));
    const int32_t last = std::min(b.first[g] + b.count[g] - 1, w.N);
    for (int32_t k = b.first[g]; k <= last; ++k) {
      const Record r = EncodeCallOctet(w.oct[k], 0, true);
      w.Put(r.data());
    }
    w.prior = c;
    w.priorLastOctTime = w.oct[last].Time5mu;
    ++w.counters.buzzCalls;
    w.counters.octetsInCalls += last - b.first[g] + 1;
    NoteLimitIfReached(w);
  }
  return after;
}

}  // namespace zorvel::cf
