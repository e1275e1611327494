#include <gtest/gtest.h>

#include "core/Tables.h"

namespace zorvel {
namespace {

TEST(KhzTable, EndsAndClamps) {
  EXPECT_EQ(KhzOfIpi(0), 0);
  EXPECT_EQ(KhzOfIpi(12), 333);   // 333.3
  EXPECT_EQ(KhzOfIpi(11), 333);   // 363.6 clamped down
  EXPECT_EQ(KhzOfIpi(400), 10);
  EXPECT_EQ(KhzOfIpi(512), 10);   // 7.8 clamped up
  EXPECT_EQ(KhzOfIpi(100), 40);
}

TEST(KhzTable, HalvesRoundToEven) {
  // 4000/320 = 12.5 -> 12 (even); 4000/160 = 25 exactly; 4000/96 = 41.67 -> 42.
  EXPECT_EQ(KhzOfIpi(320), 12);
  EXPECT_EQ(KhzOfIpi(160), 25);
  EXPECT_EQ(KhzOfIpi(96), 42);
  // 4000/144 = 27.78 -> 28; 4000/3 would be 1333 -> clamped.
  EXPECT_EQ(KhzOfIpi(144), 28);
  EXPECT_EQ(KhzOfIpi(3), 333);
}

TEST(ValueExpansion, Boundaries) {
  EXPECT_EQ(ExpandValue(127), 127);
  EXPECT_EQ(ExpandValue(128), 128);
  EXPECT_EQ(ExpandValue(191), 254);
  EXPECT_EQ(ExpandValue(192), 256);
  EXPECT_EQ(ExpandValue(255), 508);
}

TEST(CompactCode, DecodesByTheFormula) {
  EXPECT_EQ(DecodeCompact(31), 31);
  EXPECT_EQ(DecodeCompact(32), 0);
  EXPECT_EQ(DecodeCompact(63), 62);
  EXPECT_EQ(DecodeCompact(64), 0);
  EXPECT_EQ(DecodeCompact(255), 4030);
  EXPECT_EQ(DecodeCompact(65), 4);
}

TEST(CompactCode, EncoderPicksNearestAndSmallestOnTie) {
  for (int a = 0; a < 32; ++a) EXPECT_EQ(EncodeCompact(a), a);
  EXPECT_EQ(DecodeCompact(EncodeCompact(4030)), 4030);
  EXPECT_EQ(DecodeCompact(EncodeCompact(100000)), 4030);
  EXPECT_EQ(EncodeCompact(-5), 0);
  for (int v = 0; v <= 4100; v += 7) {
    const int got = DecodeCompact(EncodeCompact(v));
    for (int a = 0; a < 256; ++a) ASSERT_LE(std::abs(got - v), std::abs(DecodeCompact(static_cast<uint8_t>(a)) - v)) << v;
  }
}

TEST(ExtendedAmplitudes, EveryEntryWithinItsColumnLimits) {
  for (int k = 10; k <= 256; ++k) {
    for (int a = 223; a <= 255; ++a) {
      const int v = ExtendedAmplitude(a, k);
      EXPECT_GE(v, 384);
      EXPECT_LE(v, 50 * k);
    }
    EXPECT_EQ(ExtendedAmplitude(255, k), 50 * k);  // level 0: the cap, no division by zero
  }
}

TEST(ExtendedAmplitudes, OnceCappedAColumnStaysCapped) {
  for (int k = 10; k <= 256; ++k) {
    bool capped = false;
    for (int a = 223; a <= 255; ++a) {
      if (capped) {
        EXPECT_EQ(ExtendedAmplitude(a, k), 50 * k) << a << "," << k;
      }
      capped = capped || ExtendedAmplitude(a, k) == 50 * k;
    }
  }
}

TEST(AmplitudeDecoding, ChoosesTableOnlyWhenAllConditionsHold) {
  EXPECT_EQ(DecodeAmplitude(223, 9, true), 380);    // short pair IPI: expansion
  EXPECT_EQ(DecodeAmplitude(222, 100, true), 376);  // byte 222: expansion
  EXPECT_EQ(DecodeAmplitude(240, 100, false), 448); // no extended amplitudes
  EXPECT_EQ(DecodeAmplitude(240, 100, true), ExtendedAmplitude(240, 100));
  EXPECT_EQ(DecodeAmplitude(240, 508, true), ExtendedAmplitude(240, 255));  // column at most 255
}

}  // namespace
}  // namespace zorvel

namespace zorvel {
namespace {
TEST(AvFTable, IsTheDivisionForEverySumARecordCanGiveAndBeyond) {
  for (int32_t s = 1; s <= 9000; ++s) ASSERT_EQ(AvFOfIpiSum(s), std::min<int32_t>(255, 32000 / s)) << s;
}
}  // namespace
}  // namespace zorvel

namespace zorvel {
namespace {
TEST(CompactCode, TheTableGivesTheNearestCodeTheSmallestOnATie) {
  for (int32_t v = -50; v <= 4200; ++v) {
    int best = 0;
    int64_t bestDist = INT64_MAX;
    for (int a = 0; a < 256; ++a) {
      const int64_t d = std::llabs(static_cast<int64_t>(DecodeCompact(static_cast<uint8_t>(a))) - v);
      if (d < bestDist) {
        bestDist = d;
        best = a;
      }
    }
    ASSERT_EQ(EncodeCompact(v), best) << v;
  }
}
}  // namespace
}  // namespace zorvel
