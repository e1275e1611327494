#include "survey/PassJoin.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "core/Records.h"
#include "species/Passes.h"

namespace zorvel::survey {

namespace {

constexpr double kGapMinutes = static_cast<double>(kPassGapTicks) / kTicksPerMinute;

struct Building {
  JoinedPass out;
  int64_t lastMinute = 0;  // the minute of its latest part
  double lastEnd = 0;
  double lastPeak = 0;  // frequency of the latest part, the one the next minute must keep to
  std::map<std::string, int64_t> callsBySpecies;
  std::vector<const MinutePass*> parts;
};

bool FrequencyFits(double passKHz, double candidateKHz) {
  const double tolerance = std::max<double>(kPassMinKHz, std::floor(passKHz * kPassTolerancePercent / 100));
  return std::fabs(candidateKHz - passKHz) <= tolerance;
}

JoinedPass Finish(Building& b) {
  JoinedPass& j = b.out;
  // The species most calls carry; the earliest part's species wins a tie.
  std::string best = b.parts.front()->species;
  int64_t bestCalls = -1;
  for (const MinutePass* p : b.parts) {
    const int64_t c = b.callsBySpecies[p->species];
    if (c > bestCalls) best = p->species, bestCalls = c;
  }
  j.species = best;
  int64_t peakCalls = -1;
  for (const MinutePass* p : b.parts) {
    if (p->species != best) continue;
    j.confidence = std::max(j.confidence, p->confidence);
    if (p->calls > peakCalls) j.medianPeakKHz = p->medianPeakKHz, peakCalls = p->calls;
  }
  return j;
}

}  // namespace

std::vector<JoinedPass> JoinMinutePasses(const std::vector<FilePassPart>& parts) {
  std::vector<JoinedPass> done;
  std::vector<Building> open;
  int64_t currentMinute = INT64_MIN;
  std::vector<bool> continuedThisMinute;
  for (const FilePassPart& part : parts) {
    const MinutePass& p = part.pass;
    const int64_t minute = static_cast<int64_t>(std::floor(p.start));
    if (minute != currentMinute) {
      // Passes that did not reach into this minute are over.
      std::vector<Building> still;
      for (Building& b : open) {
        if (b.lastMinute >= minute - 1)
          still.push_back(std::move(b));
        else
          done.push_back(Finish(b));
      }
      open = std::move(still);
      currentMinute = minute;
      continuedThisMinute.assign(open.size(), false);
    }
    int best = -1;
    double bestDistance = 0;
    for (size_t k = 0; k < open.size(); ++k) {
      const Building& b = open[k];
      if (k < continuedThisMinute.size() && continuedThisMinute[k]) continue;
      if (b.lastMinute != minute - 1 || p.start - b.lastEnd > kGapMinutes) continue;
      if (!FrequencyFits(b.lastPeak, p.medianPeakKHz)) continue;
      const double d = std::fabs(p.medianPeakKHz - b.lastPeak);
      if (best < 0 || d < bestDistance) best = static_cast<int>(k), bestDistance = d;
    }
    if (best < 0) {
      Building b;
      b.out.start = p.start;
      b.out.file = part.file;
      open.push_back(std::move(b));
      continuedThisMinute.push_back(false);
      best = static_cast<int>(open.size()) - 1;
    }
    Building& b = open[static_cast<size_t>(best)];
    continuedThisMinute[static_cast<size_t>(best)] = true;
    b.out.end = std::max(b.out.end, p.end);
    b.out.calls += p.calls;
    b.out.buzzCalls += p.buzzCalls;
    b.lastMinute = minute;
    b.lastEnd = p.end;
    b.lastPeak = p.medianPeakKHz;
    b.callsBySpecies[p.species] += p.calls;
    b.parts.push_back(&p);
  }
  for (Building& b : open) done.push_back(Finish(b));
  std::stable_sort(done.begin(), done.end(), [](const JoinedPass& a, const JoinedPass& b) {
    return a.start != b.start ? a.start < b.start : a.species < b.species;
  });
  return done;
}

}  // namespace zorvel::survey
