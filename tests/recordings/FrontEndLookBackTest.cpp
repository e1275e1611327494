// The front end's look-back: the faint start of a call, heard before its loud part, joins the
// call's run; over noise alone it adds nothing; a start that crosses the boundary of the floor's
// measuring segments is kept as one that does not.
#include <gtest/gtest.h>

#include "TestWav.h"
#include "recordings/FrontEnd.h"

namespace zorvel::rec {
namespace {

constexpr double kRate = 250'000;

std::vector<WaveGroup> Through(const std::vector<int16_t>& s, const FrontEndOptions& o = {}) {
  FrontEnd fe(kRate, o);
  std::vector<float> f(s.begin(), s.end());
  for (size_t at = 0; at < f.size(); at += 3000)
    fe.Feed(f.data() + at, std::min<size_t>(3000, f.size() - at));
  fe.Finish();
  return fe.Groups();
}

std::vector<int16_t> Background(size_t n) {
  std::vector<int16_t> s(n);
  uint32_t x = 7;
  for (auto& v : s) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<int16_t>((static_cast<int32_t>(x >> 16) - 32768) / 128);
  }
  return s;
}

double FloorOf(const std::vector<int16_t>& s) {
  FrontEnd probe(kRate, {});
  std::vector<float> f(s.begin(), s.end());
  probe.Feed(f.data(), f.size());
  probe.Finish();
  return probe.Stats().lastFloor;
}

// A gate well over the hold, so that a faint part with the noise on it stays between them.
FrontEndOptions Wide(int lookBack = 64) {
  FrontEndOptions o;
  o.gateOverFloor = 20, o.holdOverFloor = 3, o.lookBackWaves = lookBack;
  return o;
}

// Noise with a call at `atS`: 4 ms at 4.5 times the floor (over the hold, under the gate), then
// 5 ms loud, all at 40 kHz.
std::vector<int16_t> FaintStartCall(double atS, double floor) {
  std::vector<int16_t> s = Background(static_cast<size_t>(kRate * 1.0));
  const auto faint = test::Tone(40, kRate, atS, atS + 0.005, 1.0, 4.5 * floor);
  const auto loud = test::Tone(40, kRate, atS + 0.004, atS + 0.009, 1.0, 4000);
  const size_t split = static_cast<size_t>(kRate * (atS + 0.0045));
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(s[i] + (i < split ? faint[i] : loud[i]));
  return s;
}

TEST(FrontEndLookBack, TheFaintStartOfACallJoinsItsRun) {
  const double floor = FloorOf(Background(static_cast<size_t>(kRate)));
  ASSERT_GT(floor, 10);
  const auto s = FaintStartCall(0.5, floor);
  const auto with = Through(s, Wide()), without = Through(s, Wide(0));
  ASSERT_FALSE(without.empty());
  ASSERT_FALSE(with.empty());
  // 4 ms at 40 kHz is 160 waves: the look-back of 64 reaches back 1.6 ms, eight groups.
  EXPECT_GE(with.size(), without.size() + 6);
  EXPECT_LT(with.front().tick, without.front().tick - 250);  // more than 1.25 ms earlier
  // The loud part's groups are the same either way.
  EXPECT_EQ(with.back().tick, without.back().tick);
}

TEST(FrontEndLookBack, NoiseAloneGivesNothingEitherWay) {
  const auto s = Background(static_cast<size_t>(kRate));
  EXPECT_TRUE(Through(s).empty());
  EXPECT_TRUE(Through(s, Wide()).empty());
  EXPECT_TRUE(Through(s, Wide(0)).empty());
}

TEST(FrontEndLookBack, AStartAcrossASegmentBoundaryIsKept) {
  const double floor = FloorOf(Background(static_cast<size_t>(kRate)));
  // The faint part straddles sample 131,072, where one measuring segment ends; the same sound
  // moved 20,000 samples later has it inside a segment.
  const double across = (2.0 * FrontEnd::kSegment - 400) / kRate;
  const std::vector<int16_t> a = FaintStartCall(across, floor);
  std::vector<int16_t> b = Background(20'000);
  b.insert(b.end(), a.begin(), a.end());
  const auto ga = Through(a, Wide()), gb = Through(b, Wide());
  ASSERT_FALSE(ga.empty());
  ASSERT_EQ(ga.size(), gb.size());
  for (size_t i = 0; i < ga.size(); ++i) {
    EXPECT_NEAR(static_cast<double>(gb[i].tick - ga[i].tick), 20'000.0 * 200'000 / kRate, 1.0) << i;
    EXPECT_EQ(ga[i].ipi, gb[i].ipi) << i;
  }
}

}  // namespace
}  // namespace zorvel::rec
