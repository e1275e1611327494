// Zero-crossing files written by the test from the layout description: each code of the
// interval stream, the header, the refused types, and the waves made of the intervals.
#include <gtest/gtest.h>

#include "TestZc.h"
#include "recordings/Messages.h"
#include "recordings/ZeroCrossing.h"

namespace zorvel::rec {
namespace {

ZeroCrossingFile Read(const std::vector<uint8_t>& b) {
  MemoryByteSource src(b.data(), b.size());
  return ReadZeroCrossing(src);
}

TEST(ZeroCrossing, EveryCodeOfTheIntervalStream) {
  test::ZcSpec s;
  test::Put13(s.stream, 200);      // 100: 13-bit
  test::PutDiff(s.stream, 5);      // +5 -> 205
  test::PutDiff(s.stream, -10);    // -10 -> 195
  s.stream.push_back(0xE3);        // 111: status, passed over
  test::Put21(s.stream, 70'000);   // 101: 21-bit
  test::Put29(s.stream, 9'000'000);  // 110: 29-bit (a long silence)
  test::PutDiff(s.stream, -64);    // the most negative difference
  test::PutDiff(s.stream, 63);     // the most positive
  const ZeroCrossingFile f = Read(test::MakeZc(s));
  ASSERT_TRUE(f.ok) << f.error;
  EXPECT_EQ(f.intervals, (std::vector<uint32_t>{200, 205, 195, 70'000, 9'000'000, 8'999'936, 8'999'999}));
  EXPECT_EQ(f.fileType, 132);
  EXPECT_EQ(f.tape, "TAPE1");
  EXPECT_EQ(f.divRatio, 8);
  EXPECT_EQ(f.res1, 25'000);
  ASSERT_TRUE(f.time);
  EXPECT_EQ(std::tie(f.time->year, f.time->month, f.time->day, f.time->hour, f.time->minute),
            std::tuple(2023, 7, 14, 22, 5));
  EXPECT_DOUBLE_EQ(f.time->second, 9.5);
}

TEST(ZeroCrossing, TypesAndDamagedHeadersAreRefusedByName) {
  test::ZcSpec s;
  s.type = 129;
  EXPECT_EQ(Read(test::MakeZc(s)).error, msg::rec::kZcType129);
  s.type = 140;
  EXPECT_EQ(Read(test::MakeZc(s)).error, std::string(msg::rec::kZcUnknownType) + "140");
  s.type = 130;
  const ZeroCrossingFile f = Read(test::MakeZc(s));
  EXPECT_TRUE(f.ok);
  EXPECT_FALSE(f.time);  // only type 132 carries the date and time
  auto b = test::MakeZc(test::ZcSpec{});
  b[0x11A] = 0xFF, b[0x11B] = 0xFF;
  EXPECT_EQ(Read(b).error, msg::rec::kZcBadOffset);
  b = test::MakeZc(test::ZcSpec{});
  b[0x11E] = 0;
  EXPECT_EQ(Read(b).error, msg::rec::kZcBadDivRatio);
  b.resize(100);
  EXPECT_EQ(Read(b).error, msg::rec::kZcTooShort);
  // A code cut off at the end of the file is dropped, not read past the end.
  test::ZcSpec cut;
  test::Put13(cut.stream, 100);
  cut.stream.push_back(0xC0);
  EXPECT_EQ(Read(test::MakeZc(cut)).intervals, (std::vector<uint32_t>{100}));
}

TEST(ZeroCrossing, IntervalsBecomeWavesThatFollowTheSweep) {
  // Division ratio 8: each interval holds four waves. A 40 kHz tone is 25 µs a wave, 100 µs an
  // interval; then a sweep down, 1 µs longer per interval; then silence.
  test::ZcSpec s;
  test::Put13(s.stream, 5000);  // 5 ms of nothing first
  test::Put13(s.stream, 100);
  for (int i = 0; i < 15; ++i) test::PutDiff(s.stream, 0);
  for (int i = 0; i < 16; ++i) test::PutDiff(s.stream, 4);
  test::Put21(s.stream, 100'000);
  const ZeroCrossingFile f = Read(test::MakeZc(s));
  ASSERT_TRUE(f.ok);
  EXPECT_NEAR(f.Seconds(), 0.005 + 0.0016 + 0.002144 + 0.1, 1e-9);
  const auto g = ZeroCrossingGroups(f, 15'000);
  // 32 intervals of 4 waves = 128 waves = 16 groups, the first starting at 5 ms (1000 ticks).
  ASSERT_EQ(g.size(), 16u);
  EXPECT_EQ(g[0].tick, 1000);
  for (uint8_t v : g[1].ipi) EXPECT_EQ(v, 100);  // 25 µs = 100 quarter µs
  for (uint8_t a : g[1].amp) EXPECT_EQ(a, 128);
  EXPECT_EQ(g[1].score, 31);
  // In the sweep each wave is a quarter of a µs longer than the one before: a sweep, scored as
  // tonal, not a staircase of equal waves.
  const WaveGroup& sweep = g[12];
  for (int k = 1; k < 8; ++k) EXPECT_GE(sweep.ipi[static_cast<size_t>(k)], sweep.ipi[static_cast<size_t>(k - 1)]);
  EXPECT_GT(sweep.ipi[7], sweep.ipi[0]);
  EXPECT_GE(sweep.score, 25);
  // Waves slower than the high-pass corner break runs: at 50 kHz nothing of a 40 kHz tone is kept.
  EXPECT_TRUE(ZeroCrossingGroups(f, 50'000).empty());
}

}  // namespace
}  // namespace zorvel::rec
