// The front end on signals made in the test, so that what real recordings give rests on a
// conversion whose behaviour is known.
#include <gtest/gtest.h>

#include "TestWav.h"
#include "recordings/FrontEnd.h"

namespace zorvel::rec {
namespace {

std::vector<WaveGroup> Through(const std::vector<int16_t>& s, double rate, const FrontEndOptions& o = {},
                           size_t block = 4096) {
  FrontEnd fe(rate, o);
  std::vector<float> f(s.begin(), s.end());
  for (size_t at = 0; at < f.size(); at += block) fe.Feed(f.data() + at, std::min(block, f.size() - at));
  fe.Finish();
  return fe.Groups();
}

TEST(FrontEnd, SteadyToneGivesBackToBackTonalGroups) {
  // 45 kHz: a period of 88.9 quarter microseconds, stored as 88.
  const auto s = test::Tone(45, 384'000, 0.002, 0.010, 0.030, 8000);
  const auto groups = Through(s, 384'000);
  // 8 ms of tone holds 360 waves: 45 groups, less those too faint at the fades.
  ASSERT_GE(groups.size(), 40u);
  ASSERT_LE(groups.size(), 45u);
  for (uint8_t a : groups[groups.size() / 2].amp) EXPECT_NEAR(a, 125, 3);  // 8000 / 64
  for (size_t i = 0; i < groups.size(); ++i) {
    SCOPED_TRACE(i);
    for (uint8_t v : groups[i].ipi) EXPECT_NEAR(v, 88, 1);
    EXPECT_GE(groups[i].score, 28);
    EXPECT_GE(groups[i].tick, 400);  // the tone starts 2 ms in
    if (i > 0) {
      EXPECT_NEAR(groups[i].tick - groups[i - 1].tick, 36, 1);  // 8 waves of 4.44 ticks
    }
  }
}

TEST(FrontEnd, BlockSizeAndSegmentBoundariesDoNotChangeTheResult) {
  // Tones on both sides of the 65,536-sample segment boundary.
  auto s = test::Tone(40, 500'000, 0.120, 0.140, 0.4, 6000);
  const auto t = test::Tone(60, 500'000, 0.125, 0.135, 0.4, 4000);
  for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>(s[i] / 2 + t[i] / 2);
  const auto a = Through(s, 500'000, {}, 1);
  const auto b = Through(s, 500'000, {}, 7919);
  const auto c = Through(s, 500'000, {}, s.size());
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  ASSERT_EQ(a.size(), c.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].tick, c[i].tick);
    EXPECT_EQ(a[i].ipi, c[i].ipi);
    EXPECT_EQ(b[i].amp, c[i].amp);
  }
}

TEST(FrontEnd, TimeExpandedSoundIsSpedUpAgain) {
  // A 45 kHz tone slowed down ten times is 4.5 kHz at a tenth of the rate: read at the real
  // rate it is 45 kHz again; read as it stands it is below the high-pass corner.
  const auto s = test::Tone(4.5, 38'400, 0.1, 0.15, 0.3, 8000);
  const auto groups = Through(s, 384'000);
  ASSERT_GE(groups.size(), 20u);
  EXPECT_NEAR(groups.back().ipi[3], 88, 1);
  EXPECT_NEAR(static_cast<double>(groups.front().tick), 0.01 * 200'000, 200);  // 10 ms of real time in
  EXPECT_TRUE(Through(s, 38'400).empty());
}

TEST(FrontEnd, HysteresisKeepsTheQuieterEndsOfACall) {
  // A call whose second half is at 3.5 times the floor: without hysteresis only the loud half
  // forms groups.
  std::vector<int16_t> s(250'000);
  uint32_t x = 99;
  for (auto& v : s) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<int16_t>((static_cast<int32_t>(x >> 16) - 32768) / 128);  // background
  }
  const auto loud = test::Tone(40, 250'000, 0.5, 0.505, 1.0, 4000);
  const auto quiet = test::Tone(40, 250'000, 0.504, 0.510, 1.0, 4000);
  // The floor of the filtered noise is measured from the front end itself.
  FrontEnd probe(250'000, {});
  std::vector<float> f(s.begin(), s.end());
  probe.Feed(f.data(), f.size());
  probe.Finish();
  const double floor = probe.Stats().lastFloor;
  ASSERT_GT(floor, 10);
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<int16_t>(s[i] + (i < 126'000 ? loud[i] : quiet[i] * 3.5 * floor / 4000));
  FrontEndOptions no;
  no.holdOverFloor = no.gateOverFloor;
  const auto with = Through(s, 250'000), without = Through(s, 250'000, no);
  EXPECT_GT(with.size(), without.size() + 5);
}

TEST(FrontEnd, NoiseScoresLowAndSilenceGivesNothing) {
  std::vector<int16_t> noise(384'000 / 10);
  uint32_t x = 12345;
  for (auto& v : noise) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<int16_t>((static_cast<int32_t>(x >> 16) - 32768) / 8);
  }
  FrontEndOptions o;
  o.gateOverFloor = o.holdOverFloor = 0;  // every wave through, so that noise forms groups
  const auto groups = Through(noise, 384'000, o);
  ASSERT_GE(groups.size(), 100u);
  size_t tonal = 0;
  for (const auto& g : groups) tonal += g.score >= 10;
  EXPECT_LT(tonal * 20, groups.size());
  EXPECT_TRUE(Through(std::vector<int16_t>(384'000 / 10, 0), 384'000).empty());
  // Noise alone, with the gate working, makes (almost) nothing.
  EXPECT_LT(Through(noise, 384'000).size(), 3u);
}

TEST(FrontEnd, ScoreRewardsLinesNotJustConstants) {
  const double steady[8] = {90, 90, 90, 90, 90, 90, 90, 90};
  const double sweep[8] = {60, 62, 64, 66, 68, 70, 72, 74};
  const double scattered[8] = {90, 70, 110, 60, 120, 80, 100, 95};
  const double slightly[8] = {90, 91, 89, 90, 92, 88, 90, 90};
  EXPECT_EQ(TonalScore(steady), 31);
  EXPECT_EQ(TonalScore(sweep), 31);
  EXPECT_EQ(TonalScore(scattered), 0);
  EXPECT_GT(TonalScore(slightly), 20);
  EXPECT_LT(TonalScore(slightly), 31);
}

}  // namespace
}  // namespace zorvel::rec
