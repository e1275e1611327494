#include "callfinder/MinuteWork.h"

#include <algorithm>
#include <cstring>

namespace zorvel::cf {

MinuteWork::MinuteWork(const FinderSettings& s)
    : settings(s),
      oct(kOctetArraySize),
      callOctets(kMaxCallOctets + 1, 0),
      priorOctets(kMaxCallOctets + 1, 0),
      calls(kMaxCalls + 1),
      candidates(kMaxCalls + 1),
      input(kInitialReadBufferBytes),
      out(kOutputBufferBytes),
      buzzOfOctet(kOctetArraySize, 0) {
  buzzes.reserve(kMaxOctets / 8);
}

void MinuteWork::StartMinute() {
  // The decoder writes every octet it keeps and clears the one after the last; no step reads
  // past that, so only the empty entry 0 needs clearing here.
  oct[0] = tOctRec{};
  const int32_t used = std::min<int32_t>(N + 1, kOctetArraySize - 1);
  std::fill(buzzOfOctet.begin(), buzzOfOctet.begin() + used + 1, 0);
  N = 0;
  std::fill(callOctets.begin(), callOctets.end(), 0);
  nCallOctets = 0;
  std::fill(priorOctets.begin(), priorOctets.end(), 0);
  nPriorOctets = 0;
  cur = tCall{};
  prior = tCall{};
  priorLastOctTime = 0;
  haveAcceptedCall = false;
  for (int32_t i = 1; i <= callCount; ++i) {
    calls[i] = tCall{};
    candidates[i] = CandidateList{};
  }
  callCount = 0;
  limitReached = false;
  outLen = 0;
  buzzes.clear();
  SeedScoreSum = SeedMinScore = SeedGapSum = SeedMismatchSum = SeedCount = 0;
  counters = MinuteCounters{};
  exportLines.clear();
  graphMarks.clear();
  notices.clear();
}

void MinuteWork::Put(const uint8_t* record) {
  // The fixed buffer holds any real minute; a pathological one grows it rather than failing.
  if (outLen + 16 > out.size()) out.resize(out.size() * 2);
  std::memcpy(out.data() + outLen, record, 16);
  outLen += 16;
}

}  // namespace zorvel::cf
