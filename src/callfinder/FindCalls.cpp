#include "callfinder/FindCalls.h"

#include <algorithm>
#include <cstdlib>

#include "callfinder/BuzzFinder.h"
#include "callfinder/CallAssembly.h"
#include "callfinder/CallEmitter.h"
#include "callfinder/CallParams.h"

namespace zorvel::cf {

namespace {

// Emits a buzz whose call starts at one of a … a+3; returns the position after it, or 0.
int32_t EmitBuzzNear(MinuteWork& w, int32_t a) {
  for (int32_t t = a; t <= a + 3 && t <= w.N; ++t)
    if (w.oct[t].NoctInBzCall >= 1) return EmitBuzzAt(w, t);
  return 0;
}

bool IsStart(const MinuteWork& w, int32_t a) {
  const auto& o = w.oct;
  return o[a].postGap < 24 && o[a + 1].postGap < 50 && o[a + 2].postGap < 85 &&
         std::abs(o[a].KHZ - o[a + 1].KHZ) < o[a].KHZ / 4;
}

// The first start position from pos, or a position at or past last when there is none.
int32_t FindStart(MinuteWork& w, int32_t pos, int32_t last) {
  int32_t a = pos;
  while (!w.limitReached) {
    const int32_t after = EmitBuzzNear(w, a);
    if (after > a) {
      a = after;
      if (a >= last) break;
      continue;
    }
    if (a <= last && IsStart(w, a)) break;
    ++a;
    if (a >= last) break;
  }
  return a;
}

// Grows a found seed into a call, measures it and emits it when it passes; returns the octet
// after the candidate's last.
int32_t AssembleCall(MinuteWork& w) {
  StartCandidate(w);
  ExtendBackward(w);
  JoinPriorCall(w);
  ExtendForward(w);
  MeasureCall(w);
  const int32_t after = w.callOctets[w.nCallOctets] + 1;
  if (TriageScore(w.cur) >= w.settings.TriageThreshold) EmitCall(w);
  return after;
}

}  // namespace

void FindCalls(MinuteWork& w) {
  if (w.settings.FindBuzzes) MarkBuzzes(w);
  const int32_t last = w.N - 4;
  int32_t pos = 1;
  while (pos <= last && !w.limitReached) {
    const int32_t a = FindStart(w, pos, last);
    if (w.limitReached) break;
    int32_t j = a;
    while (j <= last && !(w.oct[j].postGap < 24 && w.oct[j + 1].postGap < 50)) ++j;
    if (j > last) break;
    const SeedOutcome seed = TrySeed(w, j);
    // A seed whose first two octets are not in time order ends the minute's search.
    if (w.oct[w.callOctets[1]].Time5mu >= w.oct[w.callOctets[2]].Time5mu) break;
    switch (seed.result) {
      case SeedResult::Found:
        pos = AssembleCall(w);
        break;
      case SeedResult::ThirdFailed:
        pos = j + 3;
        break;
      case SeedResult::FourthFailed:
        pos = std::max(j + 4, seed.resumeAfterBuzz);
        break;
      case SeedResult::OutOfOrder:
        pos = j + 1;
        break;
    }
  }
}

}  // namespace zorvel::cf
