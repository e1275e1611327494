#include "recordings/RecordingList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zorvel::rec {

namespace {
constexpr const char* kHeading =
    "File\tStart\tDuration s\tSample rate Hz\tTime expansion\tTime source\tSpecies Manual ID\tSpecies Auto ID";

std::string Field(const Guano& g, const char* key) {
  const std::string* v = g.ok ? g.Get(key) : nullptr;
  return v ? *v : std::string();
}
}  // namespace

std::string TimeText(double seconds) {
  const double ms = std::round(seconds * 1000) / 1000;
  const StampedTime t = FromSecondsSinceEpoch(ms);
  char b[48];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%06.3f", t.year, t.month, t.day, t.hour, t.minute,
                std::min(t.second, 59.999));
  return b;
}

RecordingListing ListRecordings(const std::vector<std::string>& paths, const ReadOptions& options) {
  RecordingListing out;
  out.lines.emplace_back(kHeading);
  for (const std::string& p : paths) {
    const RecordingInfo r = ProbeRecording(p, options);
    if (!r.ok) {
      out.failed.push_back(p + ": " + r.error);
      continue;
    }
    char dur[32], rate[32];
    std::snprintf(dur, sizeof dur, "%.3f", r.seconds);
    std::snprintf(rate, sizeof rate, "%u", r.headerRate);
    out.lines.push_back(p + "\t" + TimeText(r.start) + "\t" + dur + "\t" +
                        (r.kind == RecordingKind::ZeroCrossing ? std::string() : std::string(rate)) + "\t" +
                        std::to_string(r.timeExpansion) + "\t" + std::string(TimeSourceName(r.source)) + "\t" +
                        Field(r.guano, "Species Manual ID") + "\t" + Field(r.guano, "Species Auto ID"));
  }
  return out;
}

}  // namespace zorvel::rec
