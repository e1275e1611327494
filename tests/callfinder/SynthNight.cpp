#include "SynthNight.h"

#include <algorithm>
#include <cmath>

#include "core/Header.h"

namespace zorvel::synth {

Octet ToneOctet(int32_t tick, double khz, std::mt19937& rng, int jitter, uint8_t amp, uint8_t score) {
  Octet o;
  o.tick = tick;
  const double ipi = 4000.0 / khz;
  std::uniform_int_distribution<int> d(-jitter, jitter);
  for (auto& v : o.ipi)
    v = static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(ipi)) + d(rng), 1, 254));
  o.amp.fill(amp);
  o.score = score;
  return o;
}

int32_t OctetTicks(const Octet& o) {
  int32_t s = 0;
  for (uint8_t v : o.ipi) s += v;
  return s / 20;
}

int32_t AddSweepCall(std::vector<Octet>& out, int32_t startTick, double fStart, double fEnd, double sweepMs,
                     double tailMs, std::mt19937& rng, uint8_t score, uint8_t amp) {
  const double sweepTicks = sweepMs * 200.0, tailTicks = tailMs * 200.0;
  int32_t t = startTick;
  while (t - startTick < sweepTicks + tailTicks) {
    const double x = t - startTick;
    // An exponential-like sweep that flattens into the tail.
    const double f = x < sweepTicks ? fEnd + (fStart - fEnd) * std::pow(1.0 - x / sweepTicks, 2.0)
                                    : fEnd - 1.0 * (x - sweepTicks) / std::max(1.0, tailTicks);
    Octet o = ToneOctet(t, f, rng, 1, amp, score);
    out.push_back(o);
    t += OctetTicks(o) + 1;
  }
  return t;
}

void AddBuzz(std::vector<Octet>& out, int32_t startTick, int groups, int octetsPerGroup,
             int32_t firstIntervalTicks, double shrink, double khz, std::mt19937& rng, uint8_t score) {
  double interval = firstIntervalTicks;
  double start = startTick;
  for (int g = 0; g < groups; ++g) {
    int32_t t = static_cast<int32_t>(start);
    for (int k = 0; k < octetsPerGroup; ++k) {
      Octet o = ToneOctet(t, khz, rng, 1, 160, score);
      out.push_back(o);
      t += OctetTicks(o);
    }
    start += interval;
    interval *= shrink;
  }
}

void AddNoise(std::vector<Octet>& out, int count, std::mt19937& rng) {
  std::uniform_int_distribution<int32_t> tick(0, 11'900'000);
  std::uniform_real_distribution<double> khz(15.0, 120.0);
  for (int i = 0; i < count; ++i) out.push_back(ToneOctet(tick(rng), khz(rng), rng, 6, 40, 5));
}

std::vector<Record> MinuteRecords(std::vector<Octet> octets) {
  std::stable_sort(octets.begin(), octets.end(),
                   [](const Octet& a, const Octet& b) { return a.tick < b.tick; });
  std::vector<Record> recs;
  recs.reserve(octets.size() + 1);
  MinuteValues mv;
  mv.MinON = true;
  recs.push_back(EncodeMinuteRecord(mv));
  for (const Octet& o : octets) recs.push_back(EncodeZV1WaveGroup(o.tick, o.ipi, o.amp, o.score));
  return recs;
}

HeaderBytes Zv1Header(int32_t firstMin, int32_t lastMin) {
  HeaderBytes h{};
  h[hdr::kMarker1] = 0xFE;
  h[hdr::kMarker2] = 0xFE;
  PutHeaderInt32(h, hdr::kFirstLoggedMin, firstMin);
  PutHeaderInt32(h, hdr::kLastLoggedMin, lastMin);
  PutHeaderInt32(h, hdr::kStoredFirstProcessMin, firstMin);
  PutHeaderInt32(h, hdr::kStoredLastProcessMin, lastMin);
  h[hdr::kZV1Closed] = 2;
  return h;
}

bool WriteZv1(const std::string& path, int32_t firstMin, const std::vector<std::vector<Record>>& minutes) {
  ZvFileWriter w(path, Zv1Header(firstMin, firstMin + static_cast<int32_t>(minutes.size()) - 1));
  for (const auto& m : minutes)
    for (const Record& r : m) w.Append(r);
  return w.Finish();
}

std::vector<Octet> PassMinute(std::mt19937& rng, int passes, int callsPerPass, double fEnd, int noiseOctets) {
  std::vector<Octet> octets;
  std::uniform_int_distribution<int32_t> passStart(0, 11'000'000);
  for (int p = 0; p < passes; ++p) {
    int32_t t = passStart(rng);
    for (int c = 0; c < callsPerPass && t < 11'900'000; ++c) {
      AddSweepCall(octets, t, fEnd + 30.0, fEnd, 1.5, 4.0, rng);
      t += 16'000;  // 80 ms between calls
    }
  }
  AddNoise(octets, noiseOctets, rng);
  return octets;
}

}  // namespace zorvel::synth
