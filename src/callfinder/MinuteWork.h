// The call finder's working storage for one minute, allocated once per run at fixed capacities
// and reused for every minute. The steps of the finder (decoding, buzzes, seeds, extension,
// joining, measuring, classification) all work on this shared state, in the order the minute
// driver calls them; nothing of it survives from one minute into the next.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "callfinder/Settings.h"
#include "core/Records.h"

namespace zorvel {

namespace cf {

constexpr int kMaxOctets = 65536;                // octets kept from one minute
constexpr int kOctetArraySize = kMaxOctets + 2;  // index 0 and the slot after the last stay cleared
constexpr int kMaxCallOctets = 2052;             // capacity of CallOctets and PriorOctets
constexpr int kMaxCalls = 5000;                  // calls (ordinary and buzz) in one minute
constexpr size_t kOutputBufferBytes = 2'000'000;
constexpr size_t kInitialReadBufferBytes = 48'000;
constexpr int kMinBytesForSearch = 80;  // the minute record and four octet records
constexpr int kMaxBuzzGroups = 15;
constexpr int kMaxCandidates = 6;
constexpr int kSpeciesSlots = 32;
constexpr int kFlightNumberOfFinder = 111;

// One species candidate of a call: the rule test's species and score.
struct Candidate {
  int32_t species = 0;
  int32_t score = 0;
  int32_t scoreCopy = 0;
};

struct CandidateList {
  std::array<Candidate, kMaxCandidates> entries{};
  int32_t count = 0;  // cSpPtr
};

// An accepted buzz: the first octet (after the move-back) and octet count of each buzz call.
struct BuzzMark {
  int32_t nCalls = 0;
  std::array<int32_t, kMaxBuzzGroups> first{};
  std::array<int32_t, kMaxBuzzGroups> count{};
  bool emitted = false;
};

// Counts of one minute that go into the file's totals.
struct MinuteCounters {
  int64_t octetsInCalls = 0;
  int32_t calls = 0;
  int32_t buzzCalls = 0;
  std::array<int32_t, kSpeciesSlots> SpCount{};
  std::array<int32_t, kSpeciesSlots> SpBestScore{};
  std::array<int32_t, kSpeciesSlots> SpMaxRun{};
  std::array<int32_t, kSpeciesSlots> callsPerSpN{};
};

// A call drawn on the frequency graph while the minute is classified.
struct GraphMark {
  int32_t minuteOfDay = 0;
  int32_t Fav = 0;
};

// A notice raised while a minute was processed; the driver shows it in minute order.
struct MinuteNotice {
  std::string text;
  int milliseconds = 0;
  bool administratorOnly = false;
};

class MinuteWork {
 public:
  explicit MinuteWork(const FinderSettings& settings);

  const FinderSettings settings;

  // Octets 1 … N of the minute; oct[0] and oct[N + 1] are cleared records.
  std::vector<tOctRec> oct;
  int32_t N = 0;

  // The candidate call: its octet indexes at positions 1 … nCallOctets, and its measures.
  std::vector<int32_t> callOctets;
  int32_t nCallOctets = 0;
  tCall cur{};

  // The last accepted ordinary call of the minute and the last call emitted (PriorCall).
  std::vector<int32_t> priorOctets;
  int32_t nPriorOctets = 0;
  tCall prior{};
  int32_t priorLastOctTime = 0;
  bool haveAcceptedCall = false;

  // Accepted calls 1 … callCount with their species candidates.
  std::vector<tCall> calls;
  std::vector<CandidateList> candidates;
  int32_t callCount = 0;
  bool limitReached = false;

  // The minute's raw ZV1 records, read by the worker that processes them.
  std::vector<uint8_t> input;

  // The ZV2 records of the minute (minute record first).
  std::vector<uint8_t> out;
  size_t outLen = 0;

  // Buzzes found by the buzz finder, and for the first octet of each buzz call its buzz + 1.
  std::vector<BuzzMark> buzzes;
  std::vector<int32_t> buzzOfOctet;

  // Seed state.
  int32_t SeedScoreSum = 0, SeedMinScore = 0, SeedGapSum = 0, SeedMismatchSum = 0, SeedCount = 0;

  std::array<int32_t, 256> histogram{};

  MinuteCounters counters;
  std::vector<std::string> exportLines;
  std::vector<GraphMark> graphMarks;
  std::vector<MinuteNotice> notices;
  bool collectGraphMarks = false;
  int32_t minuteOfDay = 0;

  // Clears every per-minute value; the octet array is cleared only where it was used.
  void StartMinute();

  // Appends one 16-byte record to the output buffer.
  void Put(const uint8_t* record);
};

}  // namespace cf
}  // namespace zorvel
