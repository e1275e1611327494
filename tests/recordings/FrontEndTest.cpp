// The front end on signals made in the test, so that what real recordings give rests on a
// conversion whose behaviour is known.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "TestWav.h"
#include "recordings/FrontEnd.h"

namespace zorvel::rec {
namespace {

std::vector<WaveGroup> Through(const std::vector<int16_t>& s, double rate, const FrontEndOptions& o = {},
                           size_t block = 4096) {
  const auto fe = MakeFrontEnd(rate, o);
  std::vector<float> f(s.begin(), s.end());
  for (size_t at = 0; at < f.size(); at += block) fe->Feed(f.data() + at, std::min(block, f.size() - at));
  fe->Finish();
  return fe->Groups();
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

TEST(FrontEnd, ZeroCrossingHysteresisKeepsTheQuieterEndsOfACall) {
  // A call whose second half is at 3.5 times the floor: without hysteresis only the loud half
  // forms groups.
  FrontEndOptions zc;
  zc.kind = FrontEndKind::ZeroCrossing;
  std::vector<int16_t> s(250'000);
  uint32_t x = 99;
  for (auto& v : s) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<int16_t>((static_cast<int32_t>(x >> 16) - 32768) / 128);  // background
  }
  const auto loud = test::Tone(40, 250'000, 0.5, 0.505, 1.0, 4000);
  const auto quiet = test::Tone(40, 250'000, 0.504, 0.510, 1.0, 4000);
  // The floor of the filtered noise is measured from the front end itself.
  const auto probe = MakeFrontEnd(250'000, zc);
  std::vector<float> f(s.begin(), s.end());
  probe->Feed(f.data(), f.size());
  probe->Finish();
  const double floor = probe->Stats().lastFloor;
  ASSERT_GT(floor, 10);
  for (size_t i = 0; i < s.size(); ++i)
    s[i] = static_cast<int16_t>(s[i] + (i < 126'000 ? loud[i] : quiet[i] * 3.5 * floor / 4000));
  FrontEndOptions no = zc;
  no.crossingHold = no.crossingGate;
  const auto with = Through(s, 250'000, zc), without = Through(s, 250'000, no);
  EXPECT_GT(with.size(), without.size() + 5);
}

// White noise of the given amplitude (uniform over ± amplitude), the same every run.
std::vector<int16_t> Noise(size_t n, int32_t amplitude, uint32_t seed) {
  std::vector<int16_t> s(n);
  for (auto& v : s) {
    seed = seed * 1664525u + 1013904223u;
    v = static_cast<int16_t>((static_cast<int64_t>(seed >> 16) - 32768) * amplitude / 32768);
  }
  return s;
}

std::vector<int16_t> Plus(std::vector<int16_t> a, const std::vector<double>& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    a[i] = static_cast<int16_t>(std::clamp<double>(a[i] + b[i], -32768, 32767));
  return a;
}

// A sweep from hz0 to hz1 whose period grows evenly (as the calls of Myotis bats roughly do),
// starting at startS and lasting lengthS, with 0.3-ms fades.
std::vector<double> Sweep(double hz0, double hz1, double rate, double startS, double lengthS, double amplitude,
                          size_t n) {
  std::vector<double> s(n, 0.0);
  double phase = 0;
  const size_t first = static_cast<size_t>(startS * rate), count = static_cast<size_t>(lengthS * rate);
  for (size_t k = 0; k < count && first + k < n; ++k) {
    const double u = static_cast<double>(k) / static_cast<double>(count);
    const double hz = 1.0 / (1.0 / hz0 + u * (1.0 / hz1 - 1.0 / hz0));
    phase += 2 * std::numbers::pi * hz / rate;
    const double edge = std::min(k, count - k) / rate;
    const double envelope = edge < 0.0003 ? 0.5 - 0.5 * std::cos(std::numbers::pi * edge / 0.0003) : 1.0;
    s[first + k] = amplitude * envelope * std::sin(phase);
  }
  return s;
}

TEST(FrontEnd, NoiseClicksAndSilenceGiveNothing) {
  const auto noise = Noise(384'000 / 2, 4096, 12345);
  EXPECT_TRUE(Through(noise, 384'000).empty());
  EXPECT_TRUE(Through(std::vector<int16_t>(384'000 / 10, 0), 384'000).empty());
  // Clicks (rain on the microphone, a twig): loud at every frequency alike.
  std::vector<double> clicks(noise.size(), 0.0);
  for (size_t at = 1000; at + 2 < clicks.size(); at += 3'840) clicks[at] = 30'000, clicks[at + 1] = -30'000;
  EXPECT_TRUE(Through(Plus(noise, clicks), 384'000).empty());
}

TEST(FrontEnd, AToneFainterThanTheWholeBandsNoiseIsFollowed) {
  // Noise of rms 2,365 over the band and a 40 kHz tone of amplitude 2,000 (4 dB below the
  // noise's power) for 6 ms: a zero-crossing count sees mostly noise; at 40 kHz the tone stands
  // far over the noise there.
  const double rate = 384'000;
  const auto noise = Noise(static_cast<size_t>(rate * 0.1), 4096, 777);
  std::vector<double> tone(noise.size(), 0.0);
  for (size_t i = static_cast<size_t>(rate * 0.05); i < static_cast<size_t>(rate * 0.056); ++i)
    tone[i] = 2000 * std::sin(2 * std::numbers::pi * 40'000 * static_cast<double>(i) / rate);
  const auto groups = Through(Plus(noise, tone), rate);
  // 6 ms of 40 kHz is 240 waves: 30 groups, less the ends.
  ASSERT_GE(groups.size(), 24u);
  ASSERT_LE(groups.size(), 31u);
  for (const auto& g : groups) {
    EXPECT_GE(g.tick, 0.05 * 200'000 - 20);
    for (uint8_t v : g.ipi) EXPECT_NEAR(v, 100, 2);  // 25 µs
  }
  // A logger's zero-crossing front end hears noise there, not the tone.
  FrontEndOptions zc;
  zc.kind = FrontEndKind::ZeroCrossing;
  EXPECT_LT(Through(Plus(noise, tone), rate, zc).size(), 3u);
  // A tone a tenth as loud is lost in the noise, and makes nothing up.
  for (double& v : tone) v /= 10;
  EXPECT_TRUE(Through(Plus(noise, tone), rate).empty());
}

TEST(FrontEnd, ASteepSweepIsFollowedFromTopToBottom) {
  // 100 kHz down to 30 kHz in 3 ms, in noise: a Natterer's bat's call.
  const double rate = 384'000;
  const auto noise = Noise(static_cast<size_t>(rate * 0.05), 800, 4242);
  const auto groups = Through(Plus(noise, Sweep(100'000, 30'000, rate, 0.02, 0.003, 6000, noise.size())), rate);
  ASSERT_GE(groups.size(), 10u);
  const auto mean = [](const WaveGroup& g) {
    double m = 0;
    for (uint8_t v : g.ipi) m += v;
    return m / 8;
  };
  EXPECT_LE(mean(groups.front()), 4e6 / 85'000);  // starts above 85 kHz
  EXPECT_GE(mean(groups.back()), 4e6 / 36'000);   // ends below 36 kHz
  for (size_t i = 1; i < groups.size(); ++i) {
    EXPECT_GE(mean(groups[i]), mean(groups[i - 1]) - 1) << i;  // the period only grows
    EXPECT_GT(groups[i].tick, groups[i - 1].tick);
  }
  // One call, not pieces: from its first group to its last, nearly the whole 3 ms.
  EXPECT_GE(groups.back().tick - groups.front().tick, 0.0024 * 200'000);
  EXPECT_LE(groups.back().tick - groups.front().tick, 0.0031 * 200'000);
}

TEST(FrontEnd, AFaintCopyOfACallsEndSoonAfterItIsItsEcho) {
  // A 5-ms call at 45 kHz and, 5 ms after it, a copy: a tenth as loud it is the call's echo; half
  // as loud, or at another frequency, it is a call of its own.
  const double rate = 384'000;
  const auto noise = Noise(static_cast<size_t>(rate * 0.1), 200, 99);
  const auto with = [&](double khz, double amplitude) {
    std::vector<double> s(noise.size(), 0.0);
    for (size_t i = static_cast<size_t>(rate * 0.02); i < static_cast<size_t>(rate * 0.025); ++i)
      s[i] = 8000 * std::sin(2 * std::numbers::pi * 45'000 * static_cast<double>(i) / rate);
    for (size_t i = static_cast<size_t>(rate * 0.03); i < static_cast<size_t>(rate * 0.035); ++i)
      s[i] = amplitude * std::sin(2 * std::numbers::pi * khz * 1000 * static_cast<double>(i) / rate);
    size_t late = 0;
    for (const auto& g : Through(Plus(noise, s), rate)) late += g.tick >= 0.029 * 200'000;
    return late;
  };
  EXPECT_EQ(with(45, 800), 0u);
  EXPECT_GE(with(45, 4000), 15u);
  EXPECT_GE(with(60, 800), 15u);
}

TEST(FrontEnd, ExtremeInputGivesASoundAnswer) {
  // Samples far beyond full scale (a damaged float recording): groups stay storable.
  std::vector<float> wild(38'400);
  for (size_t i = 0; i < wild.size(); ++i) wild[i] = (i / 700) % 2 ? 1e30f * std::sin(0.7f * i) : -3e35f;
  const auto fe = MakeFrontEnd(384'000, {});
  fe->Feed(wild.data(), wild.size());
  fe->Finish();
  for (const auto& g : fe->Groups())
    for (uint8_t v : g.ipi) EXPECT_TRUE(v >= 1 && v <= 254) << int{v};
  // The highest rate a header may give, a recording shorter than one frame, no rate at all.
  const auto fast = Through(test::Tone(100, 5'000'000, 0.002, 0.006, 0.01, 8000), 5'000'000);
  ASSERT_FALSE(fast.empty());
  EXPECT_NEAR(fast[fast.size() / 2].ipi[0], 40, 1);
  EXPECT_TRUE(Through(std::vector<int16_t>(10, 20'000), 384'000).empty());
  EXPECT_TRUE(Through(test::Tone(45, 384'000, 0.0, 0.01, 0.01, 8000), 0).empty());
  EXPECT_TRUE(Through(test::Tone(45, 384'000, 0.0, 0.01, 0.01, 8000), 44'100).empty());
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
