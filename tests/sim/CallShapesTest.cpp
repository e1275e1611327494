#include <gtest/gtest.h>

#include <numeric>

#include "sim/CallShapes.h"

namespace zorvel::sim {
namespace {

const SpeciesModel& Model(const char* name) {
  for (const auto& m : SpeciesModels())
    if (std::string(m.name) == name) return m;
  static SpeciesModel none{};
  ADD_FAILURE() << "no model " << name;
  return none;
}

// The shapes the call finder's tests rely on, species by species.
TEST(SpeciesModels, MatchTheCallsOfTheClassifiersSpecies) {
  EXPECT_NEAR((Model("GHB").fEndLo + Model("GHB").fEndHi) / 2, 83, 1.5);
  EXPECT_NEAR((Model("LHB").fEndLo + Model("LHB").fEndHi) / 2, 111, 1.5);
  for (const char* hs : {"GHB", "LHB"}) {
    EXPECT_EQ(Model(hs).shape, Shape::ConstantFrequency);
    EXPECT_GE(Model(hs).durLo, 30);
    EXPECT_LE(Model(hs).durHi, 50);
  }
  const std::pair<const char*, double> pips[] = {{"CmnPip", 45}, {"SopPip", 55}, {"NatPip", 39}};
  for (const auto& [pip, end] : pips) {
    const SpeciesModel& m = Model(pip);
    EXPECT_EQ(m.shape, Shape::SweepIntoTail);
    EXPECT_NEAR((m.fEndLo + m.fEndHi) / 2, end, 1.5) << pip;
    EXPECT_GE(m.durLo, 4);
    EXPECT_LE(m.durHi, 8);
    EXPECT_GE(m.gapLo, 70);
    EXPECT_LE(m.gapHi, 110);
    EXPECT_GE(m.callsLo, 10);
    EXPECT_LE(m.callsHi, 40);
  }
  EXPECT_NEAR(Model("Natterer").fStartLo, 120, 5);
  EXPECT_NEAR(Model("Natterer").fEndHi, 25, 3);
  EXPECT_GE(Model("Natterer").durLo, 2);
  EXPECT_LE(Model("Natterer").durHi, 4);
  for (const char* low : {"Noctule", "Serotine"}) {
    EXPECT_GE(Model(low).fEndLo, 19) << low;
    EXPECT_LE(Model(low).fEndHi, 28) << low;
  }
}

TEST(FrequencyAt, PipistrelleSweepsSteeplyThenFlattens) {
  CallPlan p{90, 45, 6, Shape::SweepIntoTail, 60};
  EXPECT_DOUBLE_EQ(FrequencyAt(p, 0), 90);
  EXPECT_NEAR(FrequencyAt(p, 1), 45, 1e-9);
  // Most of the sweep is over in the first third; the second half moves only a few kHz.
  EXPECT_LT(FrequencyAt(p, 0.33) - 45, 0.15 * 45);
  EXPECT_LT(FrequencyAt(p, 0.5) - FrequencyAt(p, 1), 3);
}

TEST(FrequencyAt, HorseshoeHoldsItsToneAndFallsAtTheEnd) {
  CallPlan p{77, 83, 40, Shape::ConstantFrequency, 60};
  EXPECT_DOUBLE_EQ(FrequencyAt(p, 0), 77);
  EXPECT_DOUBLE_EQ(FrequencyAt(p, 0.2), 83);
  EXPECT_DOUBLE_EQ(FrequencyAt(p, 0.8), 83);
  EXPECT_NEAR(FrequencyAt(p, 1), 68, 1e-9);
}

TEST(FrequencyAt, FmSweepFallsThroughTheWholeCall) {
  CallPlan p{120, 25, 3, Shape::FrequencyModulated, 60};
  EXPECT_NEAR(FrequencyAt(p, 0), 120, 1e-9);
  EXPECT_NEAR(FrequencyAt(p, 1), 25, 1e-9);
  double prev = 1000;
  for (double u = 0; u <= 1.0; u += 0.1) {
    EXPECT_LT(FrequencyAt(p, u), prev);
    prev = FrequencyAt(p, u);
  }
}

TEST(AppendCall, WaveGroupsFollowTheCallsPeriodsAndTimes) {
  Rng rng(3);
  std::vector<SimGroup> groups;
  CallPlan p{82, 83, 40, Shape::ConstantFrequency, 80};
  const int n = AppendCall(p, 1000, rng, groups);
  ASSERT_EQ(n, static_cast<int>(groups.size()));
  // 40 ms at 83 kHz is about 3320 waves, so about 415 whole octets.
  EXPECT_NEAR(n, 40 * 83 / 8, 12);
  EXPECT_EQ(groups.front().at, 1000);
  for (size_t i = 1; i < groups.size(); ++i) {
    const auto& prev = groups[i - 1];
    const int span = std::accumulate(prev.ipi.begin(), prev.ipi.end(), 0);
    // Each octet starts where the previous one's eight periods end (ticks are 20 quarter-µs).
    EXPECT_NEAR(static_cast<double>(groups[i].at - prev.at), span / 20.0, 1.0);
  }
  const auto& mid = groups[groups.size() / 2];
  for (uint8_t ipi : mid.ipi) EXPECT_NEAR(ipi, 4000.0 / 83, 1.5);
  EXPECT_GE(mid.score, 24);                      // a clean tone scores high
  EXPECT_GT(mid.amp[0], groups.front().amp[0]);  // louder in the middle than at the start
}

}  // namespace
}  // namespace zorvel::sim
