#include <algorithm>
#include <utility>

#include "callfinder/Classifier.h"
#include "callfinder/classify/Passes.h"

namespace zorvel::cf {

namespace {

constexpr int kSortedEntries = 5;
constexpr int32_t kSpeciesOrder[] = {kCmnPip, kSopPip, kGHB, kLHB, kFM, kNatterer};
constexpr int kBuzzFollowLimit = 5;

int32_t FirstSpecies(const CandidateList& l) {
  return l.count > 0 ? l.entries[0].species : 0;
}
int32_t FirstScore(const CandidateList& l) {
  return l.count > 0 ? l.entries[0].score : 0;
}
size_t SpIndex(int32_t sp) {
  return static_cast<size_t>(std::clamp(sp, 0, kSpeciesSlots - 1));
}

// Highest score first by neighbour swaps; equal scores keep the order of the tests.
void OrderCandidates(const tCall& c, CandidateList& l) {
  if (l.count <= 0 || c.CallType == tcCF) return;
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (int i = 0; i + 1 < kSortedEntries; ++i) {
      if (l.entries[i + 1].score > l.entries[i].score) {
        std::swap(l.entries[i], l.entries[i + 1]);
        swapped = true;
      }
    }
  }
}

void RunStatistics(MinuteWork& w) {
  MinuteCounters& m = w.counters;
  std::array<int32_t, kSpeciesSlots> run{};
  int32_t previous = 0;
  for (int32_t i = 1; i <= w.callCount; ++i) {
    const int32_t p = FirstSpecies(w.candidates[i]);
    const size_t pi = SpIndex(p);
    m.SpBestScore[pi] = std::max(m.SpBestScore[pi], FirstScore(w.candidates[i]));
    ++m.SpCount[pi];
    if (previous == p) {
      ++run[pi];
    } else {
      m.SpMaxRun[pi] = std::max(m.SpMaxRun[pi], run[pi]);
      run[pi] = 0;
    }
    previous = p;
  }
  for (int sp = 1; sp < kSpeciesSlots; ++sp) m.SpMaxRun[sp] = std::max(m.SpMaxRun[sp], run[sp]);
}

// A species is given only to calls in a pair of neighbours that both propose it, and only when
// the minute holds a long enough run of it with at least one convincing call.
void AssignSpecies(MinuteWork& w) {
  MinuteCounters& m = w.counters;
  for (int32_t sp : kSpeciesOrder) {
    if (!(m.SpMaxRun[SpIndex(sp)] > 4 && m.SpBestScore[SpIndex(sp)] > 2)) continue;
    for (int32_t i = 2; i <= w.callCount; ++i) {
      if (FirstSpecies(w.candidates[i - 1]) == sp && FirstSpecies(w.candidates[i]) == sp) {
        w.calls[i - 1].SpN = sp;
        w.calls[i].SpN = sp;
      }
    }
  }
  for (int32_t i = 1; i <= w.callCount; ++i) {
    tCall& c = w.calls[i];
    const int32_t first = FirstSpecies(w.candidates[i]);
    if (c.SpN != first) c.Sp2N = first;
    ++m.callsPerSpN[SpIndex(c.SpN)];
  }
}

// Buzz calls take the species of the calls around them when the last two labelled calls agree.
void SpeciesForBuzzCalls(MinuteWork& w) {
  int32_t lastPos = 0, lastSp = 0, prevSp = 0;
  tCallType lastType = tcNoSp;
  auto label = [&](int32_t i) {
    uint8_t* rc = w.out.data() + w.calls[i].ClBufPosnOfStart + 32;
    rc[12] = static_cast<uint8_t>(lastType);
    rc[15] = ClassificationByte(lastSp);
  };
  for (int32_t i = 1; i <= w.callCount - 1;) {
    const tCall& c = w.calls[i];
    if (c.SpN > 0) {
      prevSp = lastSp;
      lastSp = c.SpN;
      lastType = c.CallType;
      lastPos = i;
      ++i;
      continue;
    }
    if (c.BuzzCall && lastPos > 0 && i - lastPos < kBuzzFollowLimit && lastSp == prevSp) {
      int32_t k = i;
      while (k <= w.callCount && w.calls[k].BuzzCall) label(k++);
      i = k + 1;  // the call after the run of buzz calls is not examined
      continue;
    }
    ++i;
  }
}

}  // namespace

void ClassifyMinuteBritish0(MinuteWork& w) {
  for (int32_t i = 1; i <= w.callCount; ++i) {
    RuleTests(w.calls[i], w.candidates[i]);
    if (w.settings.ExportToClassifier)
      w.exportLines.push_back(ClassifierExportLine(w.calls[i], w.settings.ExportLabel));
  }
  for (int32_t i = 1; i <= w.callCount; ++i) OrderCandidates(w.calls[i], w.candidates[i]);
  RunStatistics(w);
  AssignSpecies(w);
  PatchClassification(w);
  SpeciesForBuzzCalls(w);
}

}  // namespace zorvel::cf
