#include "species/Passes.h"

#include <algorithm>
#include <cstdlib>

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

}  // namespace zorvel
