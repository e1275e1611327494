// Bats at a known site: each species' first pass of a night a species-typical delay after that
// site's computed sunset, none of its passes before, and the truth listing every pass.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/SunTimes.h"
#include "core/TimeBase.h"
#include "sim/CallShapes.h"
#include "sim/Emergence.h"
#include "sim/Simulator.h"
#include "support/TempDir.h"

namespace zorvel::sim {
namespace {

struct TruthPass {
  double minute;  // with the fraction
  std::string species, kind;
};

std::vector<TruthPass> Passes(const std::string& truthPath, int* calls) {
  std::vector<TruthPass> out;
  std::ifstream in(truthPath);
  std::string line;
  std::getline(in, line);
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string x; std::getline(ss, x, '\t');) f.push_back(x);
    if (f[5] == "call" || f[5] == "buzzcall") ++*calls;
    if (f[5] == "pass" || f[5] == "first")
      out.push_back({std::stoi(f[0]) + std::stoi(f[2]) / 12e6, f[3], f[5]});
  }
  return out;
}

TEST(Emergence, FirstPassesFollowTheSitesSunset) {
  testing::TempDir dir;
  SimOptions o;
  o.outDir = dir / "card";
  o.nights = 3;
  o.seed = 11;
  o.noise = false;
  o.site = SimSite{60.0, 10.0, 60};  // long June evenings in the north
  const SimResult r = SimulateCard(o);
  ASSERT_TRUE(r.ok) << r.error;
  int calls = 0;
  const auto passes = Passes(r.truthPath, &calls);
  EXPECT_EQ(calls, r.calls) << "pass lines are not counted as calls";

  // (night, species) → first pass seen and the "first" line.
  std::map<std::pair<int64_t, std::string>, double> earliest, marked;
  for (const TruthPass& p : passes) {
    const auto night = static_cast<int64_t>(p.minute - kMinutesPerDay / 2) / kMinutesPerDay;
    const auto key = std::make_pair(night, p.species);
    if (!earliest.count(key) || p.minute < earliest[key]) earliest[key] = p.minute;
    if (p.kind == "first") {
      EXPECT_FALSE(marked.count(key)) << "one first pass per night and species";
      marked[key] = p.minute;
    }
  }
  ASSERT_GE(marked.size(), 2u * SpeciesModels().size()) << "every species emerges on the full nights";
  for (const auto& [key, at] : marked) {
    EXPECT_DOUBLE_EQ(earliest[key], at) << key.second << ": a pass before the first";
    const SunEvents sun =
        NightSunEvents(static_cast<int32_t>(key.first * kMinutesPerDay + 720), 60.0, 10.0, 60);
    ASSERT_TRUE(sun.sunset);
    const SpeciesModel* m = nullptr;
    for (const auto& s : SpeciesModels())
      if (key.second == s.name) m = &s;
    ASSERT_NE(m, nullptr);
    EXPECT_NEAR(at - *sun.sunset, EmergenceDelayMinutes(*m), kEmergenceScatterMinutes + 0.01) << key.second;
  }
  // Sunset at 60° N in early June comes at about 21:30 local time (UTC+1), hours after the
  // generic sun's; no bat may be listed between mid-afternoon and the site's sunset.
  for (const TruthPass& p : passes) {
    const int64_t day = static_cast<int64_t>(p.minute) / kMinutesPerDay;
    const auto sunset = SunEventMinute(day, 60.0, 10.0, 60, kSunsetZenith, false);
    ASSERT_TRUE(sunset);
    EXPECT_GT(*sunset - day * kMinutesPerDay, 21 * 60);
    EXPECT_FALSE(p.minute >= day * kMinutesPerDay + 14 * 60 && p.minute < *sunset)
        << p.species << " at " << p.minute;
  }
}

TEST(Emergence, WithoutASiteTheTruthListsNoPasses) {
  testing::TempDir dir;
  SimOptions o;
  o.outDir = dir / "card";
  o.noise = false;
  const SimResult r = SimulateCard(o);
  ASSERT_TRUE(r.ok) << r.error;
  int calls = 0;
  EXPECT_TRUE(Passes(r.truthPath, &calls).empty());
  EXPECT_EQ(calls, r.calls);
  EXPECT_GT(calls, 1000);
}

}  // namespace
}  // namespace zorvel::sim
