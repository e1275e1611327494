// Synthetic ZV1 data for the call finder's tests and benchmarks: bat-like calls, buzzes and
// noise laid out as the logger records them (octets of eight waves, back to back while sound
// lasts), written as a whole ZV1 file through the production writer.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/CallRecords.h"
#include "core/ZvWriter.h"

namespace zorvel::synth {

struct Octet {
  int32_t tick = 0;
  std::array<uint8_t, 8> ipi{};
  std::array<uint8_t, 4> amp{};
  uint8_t score = 0;  // the stored score byte
};

// One octet at a steady frequency (kHz), IPIs jittered by at most jitter quarter-µs.
Octet ToneOctet(int32_t tick, double khz, std::mt19937& rng, int jitter = 1, uint8_t amp = 160,
                uint8_t score = 18);

// Ticks an octet lasts: its IPI sum / 20.
int32_t OctetTicks(const Octet& o);

// A pipistrelle-like call: a steep sweep from fStart to fEnd over sweepMs, then a quasi-constant
// tail drifting down 1 kHz over tailMs. Returns the tick after the call.
int32_t AddSweepCall(std::vector<Octet>& out, int32_t startTick, double fStart, double fEnd, double sweepMs,
                     double tailMs, std::mt19937& rng, uint8_t score = 18, uint8_t amp = 160);

// A buzz: groups of octets at shrinking intervals (firstIntervalTicks, then × shrink each time).
void AddBuzz(std::vector<Octet>& out, int32_t startTick, int groups, int octetsPerGroup,
             int32_t firstIntervalTicks, double shrink, double khz, std::mt19937& rng, uint8_t score = 18);

// Scattered single octets of random frequency and low score.
void AddNoise(std::vector<Octet>& out, int count, std::mt19937& rng);

// The records of one minute: its minute record, then the octets in time order.
std::vector<Record> MinuteRecords(std::vector<Octet> octets);

// A ZV1 header for minutes firstMin … lastMin.
HeaderBytes Zv1Header(int32_t firstMin, int32_t lastMin);

// Writes a ZV1 file of the given minutes (records as MinuteRecords gives them).
bool WriteZv1(const std::string& path, int32_t firstMin, const std::vector<std::vector<Record>>& minutes);

// A night's minute: passes of numCalls sweep calls every intervalMs, plus noise octets.
std::vector<Octet> PassMinute(std::mt19937& rng, int passes, int callsPerPass, double fEnd, int noiseOctets);

}  // namespace zorvel::synth
