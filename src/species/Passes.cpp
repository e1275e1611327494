#include "species/Passes.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace zorvel {

namespace {

struct OpenPass {
  int64_t lastStart = 0;
  int64_t lastEnd = 0;
  std::vector<int32_t> keys;  // kept sorted for the median
  int32_t Median() const { return keys.empty() ? 0 : keys[keys.size() / 2]; }
};

bool Fits(const OpenPass& p, int32_t key) {
  const int32_t m = p.Median();
  const int32_t tolerance = std::max(kPassMinKHz, m * kPassTolerancePercent / 100);
  return std::abs(key - m) <= tolerance;
}

// The value most entries carry (the first of equals, in order of appearance), or 0.
int32_t MostCommon(const std::vector<int32_t>& values) {
  std::map<int32_t, int> count;
  int32_t best = 0;
  int bestCount = 0;
  for (int32_t v : values) {
    const int c = ++count[v];
    if (c > bestCount) best = v, bestCount = c;
  }
  return best;
}

}  // namespace

int32_t PassKeyKHz(int32_t modalKHz, int32_t medianKHz, int32_t fminKHz, int32_t fmaxKHz) {
  // A call whose modal frequency sits near its lowest frequency ends in a flat part.
  const int32_t band = std::max(0, fmaxKHz - fminKHz);
  return modalKHz - fminKHz <= std::max(4, band / 4) ? modalKHz : medianKHz;
}

std::vector<int> GroupIntoPasses(const std::vector<PassCall>& calls) {
  std::vector<int> passOf(calls.size(), -1);
  std::vector<OpenPass> passes;
  for (size_t i = 0; i < calls.size(); ++i) {
    const PassCall& c = calls[i];
    int best = -1;
    int32_t bestDistance = 0;
    for (int p = static_cast<int>(passes.size()) - 1; p >= 0; --p) {
      const OpenPass& o = passes[static_cast<size_t>(p)];
      if (c.start - o.lastStart > kPassGapTicks) continue;
      if (c.buzz) {  // a buzz falls in the latest pass still going on
        best = p;
        break;
      }
      if (!Fits(o, c.keyKHz)) continue;
      const int32_t d = std::abs(c.keyKHz - o.Median());
      if (best < 0 || d < bestDistance) best = p, bestDistance = d;
    }
    if (c.buzz) {
      passOf[i] = best;
      if (best >= 0) passes[static_cast<size_t>(best)].lastStart = c.start;
      continue;
    }
    if (best < 0) {
      best = static_cast<int>(passes.size());
      passes.emplace_back();
    }
    OpenPass& o = passes[static_cast<size_t>(best)];
    o.lastStart = c.start;
    o.lastEnd = std::max(o.lastEnd, c.end);
    o.keys.insert(std::upper_bound(o.keys.begin(), o.keys.end(), c.keyKHz), c.keyKHz);
    passOf[i] = best;
  }
  return passOf;
}

std::vector<PassSummary> MinutePassSummaries(int32_t minute, const std::vector<tCall>& calls) {
  std::vector<size_t> order(calls.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return calls[a].StartTime < calls[b].StartTime; });
  std::vector<PassCall> pc;
  for (size_t i : order) {
    const tCall& c = calls[i];
    pc.push_back({c.StartTime, int64_t{c.StartTime} + 20 * int64_t{c.Duration100Musecs},
                  PassKeyKHz(c.ModalKHZ, c.MedianKHZ, c.Fmin, c.Fmax), c.BuzzCall});
  }
  const std::vector<int> passOf = GroupIntoPasses(pc);
  const int passes = passOf.empty() ? 0 : *std::max_element(passOf.begin(), passOf.end()) + 1;
  std::vector<PassSummary> out(static_cast<size_t>(std::max(0, passes)));
  std::vector<std::vector<const tCall*>> members(out.size());
  for (size_t k = 0; k < order.size(); ++k)
    if (passOf[k] >= 0) members[static_cast<size_t>(passOf[k])].push_back(&calls[order[k]]);
  for (size_t p = 0; p < out.size(); ++p) {
    PassSummary& s = out[p];
    s.minute = minute;
    s.startTick = members[p].front()->StartTime;
    std::vector<int32_t> species, peaks;
    for (const tCall* c : members[p]) {
      s.endTick = std::max<int32_t>(s.endTick, c->StartTime + 20 * c->Duration100Musecs);
      if (c->BuzzCall) {
        ++s.buzzCalls;
        continue;
      }
      ++s.calls;
      species.push_back(c->SpN);
      peaks.push_back(c->ModalKHZ);
    }
    s.species = MostCommon(species);
    std::vector<int32_t> second;
    for (const tCall* c : members[p]) {
      if (c->BuzzCall || c->SpN != s.species) continue;
      s.confidence = std::max(s.confidence, c->SpConfidence);
      second.push_back(c->Sp2N);
    }
    s.secondSpecies = MostCommon(second);
    if (!peaks.empty()) {
      std::sort(peaks.begin(), peaks.end());
      s.medianPeakKHz = peaks[peaks.size() / 2];
    }
  }
  return out;
}

}  // namespace zorvel
