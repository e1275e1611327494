// Decoding and repair of a minute's octets, and their gaps and harmonic index.
#include <gtest/gtest.h>

#include "OctetFixture.h"
#include "callfinder/OctetDecoder.h"
#include "callfinder/Rounding.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

using cf::DecodeOctets;

std::vector<uint8_t> Bytes(const std::vector<Record>& recs) {
  std::vector<uint8_t> b;
  for (const Record& r : recs) b.insert(b.end(), r.begin(), r.end());
  return b;
}

TEST(Rounding, HalvesGoToEvenOnBothSides) {
  EXPECT_EQ(cf::RoundDiv(5, 2), 2);
  EXPECT_EQ(cf::RoundDiv(7, 2), 4);
  EXPECT_EQ(cf::RoundDiv(-5, 2), -2);
  EXPECT_EQ(cf::RoundDiv(-7, 2), -4);
  EXPECT_EQ(cf::RoundDiv(7, -2), -4);
  EXPECT_EQ(cf::RoundDiv(-10, 3), -3);
  EXPECT_EQ(cf::RoundDiv(11, 3), 4);
}

TEST(Decoder, AmplitudeTableIsTheFindersOwn) {
  EXPECT_EQ(cf::AmpExpand(128), 128);
  EXPECT_EQ(cf::AmpExpand(129), 130);
  EXPECT_EQ(cf::AmpExpand(194), 260);
  EXPECT_EQ(cf::AmpExpand(195), 266);
  EXPECT_EQ(cf::AmpExpand(255), 626);
}

TEST(Decoder, InvalidIpiBytesAreRepairedOrTheOctetDropped) {
  PopulatePrecalculatedArrays();
  auto w = test::Work();
  Record four = test::SteadyRecord(1000, 100);
  four[7] = 0;
  four[8] = 255;
  four[9] = 0;
  four[10] = 255;  // IPIs 4 … 7 invalid
  Record five = test::SteadyRecord(2000, 100);
  for (int i = 6; i <= 10; ++i) five[i] = 0;
  const Record after = test::SteadyRecord(3000, 50);
  const auto b = Bytes({four, five, after});
  const auto res = DecodeOctets(*w, b.data(), 3);
  ASSERT_EQ(res.octets, 2);
  const tOctRec& o = w->oct[1];
  EXPECT_EQ(o.OctIPIarr[5], 100);  // replaced by the mean of the valid four
  EXPECT_EQ(o.IPIsum, 400);        // but only the valid bytes count in the sum
  EXPECT_EQ(o.KHZ, 80);
  EXPECT_EQ(o.Dur5mu, 20);
  EXPECT_EQ(w->oct[2].Time5mu, 3000);  // the dropped octet's successor takes its index
  EXPECT_EQ(w->oct[2].OctPosn, 2);
  EXPECT_EQ(w->oct[3].Time5mu, 0);  // the slot after the last stays cleared
}

TEST(Decoder, AllZeroOrAll255IpisAreDroppedAndTinySumsFloorAt13) {
  auto w = test::Work();
  const Record zeros = test::SteadyRecord(10, 0);
  const Record full = test::SteadyRecord(20, 255);
  const Record tiny = test::SteadyRecord(30, 1);
  const auto b = Bytes({zeros, full, tiny});
  ASSERT_EQ(DecodeOctets(*w, b.data(), 3).octets, 1);
  EXPECT_EQ(w->oct[1].IPIsum, 13);
  EXPECT_EQ(w->oct[1].KHZ, 32000 / 13);
}

TEST(Decoder, ScoreIsTheWholeByteLessFourAndOtherRecordsAreSkipped) {
  auto w = test::Work();
  Record low = test::SteadyRecord(10, 100, 3);
  Record high = test::SteadyRecord(20, 100, 20);
  high[15] = 0xE4;  // bits above the score's five are kept too
  Record suppressed = test::SteadyRecord(30, 100);
  suppressed[0] = kIdScanSuppressed;
  Record imported = test::SteadyRecord(40, 100);
  imported[0] = kIdImportSuppressed;
  Record invalid = test::SteadyRecord(50, 100);
  invalid[0] = 0xC0;
  const auto b = Bytes({low, suppressed, imported, invalid, high});
  ASSERT_EQ(DecodeOctets(*w, b.data(), 5).octets, 2);
  EXPECT_EQ(w->oct[1].OctScore, 0);
  EXPECT_EQ(w->oct[2].OctScore, 0xE4 - 4);
  EXPECT_EQ(w->oct[2].Time5mu, 20);
}

TEST(Decoder, AMinuteIsCutAtTheOctetArraysCapacity) {
  auto w = test::Work();
  std::vector<uint8_t> b;
  for (int i = 0; i < cf::kMaxOctets + 1; ++i) {
    const Record r = test::SteadyRecord(i * 100, 90);
    b.insert(b.end(), r.begin(), r.end());
  }
  const auto res = DecodeOctets(*w, b.data(), b.size() / 16);
  EXPECT_TRUE(res.truncated);
  EXPECT_EQ(res.octets, cf::kMaxOctets);
  EXPECT_EQ(w->oct[cf::kMaxOctets].Time5mu, (cf::kMaxOctets - 1) * 100);
  EXPECT_EQ(w->oct[cf::kMaxOctets + 1].Time5mu, 0);
}

TEST(NoiseReduction, SplitWaveIsMendedAndOutliersReplaced) {
  PopulatePrecalculatedArrays();
  std::array<int32_t, 8> p = {100, 50, 50, 100, 100, 100, 100, 100};
  int32_t orig = 0;
  EXPECT_EQ(cf::NoiseReduce(p, orig), 804);  // the mended octet sums to 800 plus the 4
  EXPECT_EQ(p[1], 100);
  EXPECT_EQ(p[2], 100);
  EXPECT_EQ(orig, KhzOfIpi(804 / 8));

  std::array<int32_t, 8> longOne = {100, 100, 100, 200, 100, 100, 100, 100};
  cf::NoiseReduce(longOne, orig);
  // A missed peak's double IPI becomes the mean of the others: round((904 − 200) / 7), the 4 of
  // the sum included.
  EXPECT_EQ(longOne[3], 101);

  std::array<int32_t, 8> shortOne = {100, 100, 100, 100, 100, 100, 100, 20};
  // The last IPI is far below the one before it: it is set to half of that one first.
  const int32_t s = cf::NoiseReduce(shortOne, orig);
  EXPECT_EQ(shortOne[7], 50);
  EXPECT_EQ(s, 754);
}

TEST(NoiseReduction, IsOnlyAppliedWhenSwitchedOn) {
  FinderSettings on;
  on.UseNoiseReduction = true;
  auto w = test::Work(on);
  Record r = test::SteadyRecord(10, 100);
  r[4] = 50;
  r[5] = 50;
  ASSERT_EQ(DecodeOctets(*w, r.data(), 1).octets, 1);
  EXPECT_EQ(w->oct[1].OctIPIarr[1], 100);
  EXPECT_EQ(w->oct[1].IPIsum, 804);
  auto plain = test::Work();
  ASSERT_EQ(DecodeOctets(*plain, r.data(), 1).octets, 1);
  EXPECT_EQ(plain->oct[1].OctIPIarr[1], 50);
  EXPECT_EQ(plain->oct[1].IPIsum, 700);
}

TEST(Gaps, FirstOctetHasTheSilenceSinceTheMinuteStartAndTheLastNone) {
  auto w = test::Work();
  test::SetOct(*w, 1, 1000, 40);  // IPIsum 800, 40 ticks
  test::SetOct(*w, 2, 1040, 40);
  test::SetOct(*w, 3, 1120, 40);
  cf::ComputeGapsAndHarmonics(*w);
  EXPECT_EQ(w->oct[1].preGap, 1000 * 16 / 42);
  EXPECT_EQ(w->oct[1].postGap, 0);
  EXPECT_EQ(w->oct[2].postGap, 40 * 16 / 42);
  EXPECT_EQ(w->oct[3].preGap, 40 * 16 / 42);
  EXPECT_EQ(w->oct[3].postGap, 0);
}

TEST(Gaps, AlternatingWavesMakeAnOctetHarmonicUnlessItIsQuiet) {
  auto w = test::Work();
  tOctRec& o = test::SetOct(*w, 1, 100, 40);
  o.OctCycPr[0].IPI = o.OctCycPr[2].IPI = 110;
  o.OctCycPr[1].IPI = o.OctCycPr[3].IPI = 90;
  o.ampSum = 2000;
  tOctRec& quiet = test::SetOct(*w, 2, 200, 40);
  quiet.OctCycPr = o.OctCycPr;
  quiet.ampSum = 100;
  cf::ComputeGapsAndHarmonics(*w);
  // G = 40 · 256 / 800 = 12; the amplitudes do not alternate: A = 0.
  EXPECT_EQ(w->oct[1].OctHmic, 12);
  EXPECT_EQ(w->oct[2].OctHmic, 0);  // 1400 below 1500 takes 17 from G
}

}  // namespace
}  // namespace zorvel
