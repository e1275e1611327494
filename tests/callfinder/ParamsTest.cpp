// Call measures on hand-built calls.
#include <gtest/gtest.h>

#include "OctetFixture.h"
#include "callfinder/CallParams.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

void UseOctets(cf::MinuteWork& w, const std::vector<int32_t>& octets, int32_t fitSum = 0) {
  w.nCallOctets = static_cast<int32_t>(octets.size());
  for (size_t k = 0; k < octets.size(); ++k) w.callOctets[k + 1] = octets[k];
  w.cur = tCall{};
  w.cur.nSelOctInCall = w.nCallOctets;
  w.cur.SeqOctPercentFitSum = fitSum;
}

TEST(Params, AFourOctetCallHasOnlyItsSimpleValues) {
  PopulatePrecalculatedArrays();
  auto w = test::Work();
  for (int i = 1; i <= 4; ++i) test::SetOct(*w, i, 1000 + 50 * (i - 1), 32, 8 + i);  // 1 ms, 32 kHz
  UseOctets(*w, {1, 2, 3, 4}, 6);
  cf::MeasureCall(*w);
  const tCall& c = w->cur;
  EXPECT_EQ(c.Duration100Musecs, 10);
  EXPECT_EQ(c.RisingIPIindex, 46);
  EXPECT_EQ(c.ZeroedRisingIndex, 3);
  EXPECT_EQ(c.MinSlopeKHZ, 32);
  EXPECT_EQ(w->oct[3].FeatureType, tfMinSlope);
  EXPECT_EQ(c.MaxIPIriseKHZ, 0);
  EXPECT_EQ(c.MaxIPIfallKHZ, 0);
  EXPECT_EQ(c.DBSharp + c.UBSharp + c.DBkhz + c.UBkhz, 0);
  EXPECT_EQ(c.Flat1nOct, 0);
  EXPECT_EQ(c.Seq, 6);
  EXPECT_EQ(c.avOctFit, 3);
  EXPECT_EQ(c.Fav, 32);
  EXPECT_EQ(c.avScore, (9 + 10 + 11 + 12) / 4);
  EXPECT_EQ(c.BestQ, 12);
  EXPECT_EQ(c.BestQ2, 0);  // rising scores: each new best leaves the second place empty
  EXPECT_EQ(c.StartTime, 1000);
  EXPECT_EQ(c.EndTime, 1200);
}

TEST(Params, EqualHistogramPeaksGiveTheHigherFrequency) {
  auto w = test::Work();
  test::SetOct(*w, 1, 0, 50);  // IPIs of 80
  test::SetOct(*w, 2, 32, 50);
  test::SetOct(*w, 3, 64, 40);  // IPIs of 100
  test::SetOct(*w, 4, 104, 40);
  UseOctets(*w, {1, 2, 3, 4});
  cf::MeasureCall(*w);
  EXPECT_EQ(w->cur.ModalKHZ, 50);
  EXPECT_EQ(w->cur.BodyLoKhz, 40);
  EXPECT_EQ(w->cur.Fmin, 40);
  EXPECT_EQ(w->cur.Fmax, 50);
}

TEST(Params, SkippedOctetsWidenTheSlopesSpan) {
  auto contiguous = test::Work();
  auto skipping = test::Work();
  const int32_t khz[] = {40, 40, 40, 38, 36};
  for (int i = 1; i <= 7; ++i) {
    test::SetOct(*contiguous, i, 40 * i, i <= 5 ? khz[i - 1] : 36);
    test::SetOct(*skipping, i, 40 * i, 40);
  }
  // The same five octets, but the last two lie further on in the minute.
  for (int k = 0; k < 5; ++k) {
    const int32_t at = k < 3 ? k + 1 : k + 3;
    test::SetOct(*skipping, at, 40 * at, khz[k]);
  }
  UseOctets(*contiguous, {1, 2, 3, 4, 5});
  UseOctets(*skipping, {1, 2, 3, 6, 7});
  cf::MeasureCall(*contiguous);
  cf::MeasureCall(*skipping);
  ASSERT_NE(contiguous->cur.preEndSlope, 0);
  // Contiguous: twice the difference; skipping (span 4): the difference div 4, times 2.
  EXPECT_EQ(skipping->cur.preEndSlope, contiguous->cur.preEndSlope / 2 / 4 * 2);
  EXPECT_EQ(skipping->cur.Nmissing, 2);
  EXPECT_EQ(contiguous->cur.Nmissing, 0);
}

// At the last position but one with skipped octets the difference is divided by the span first
// and then doubled: with span 3 and a difference of 981 that is 327 · 2, not 1962 div 3 · 2.
TEST(Params, TheSlopeBeforeTheEndDividesTheDifferenceBeforeDoublingIt) {
  auto w = test::Work();
  const int32_t ipiSums[] = {800, 800, 800, 799, 1045};
  const int32_t at[] = {1, 2, 3, 4, 6};
  for (int k = 0; k < 5; ++k) {
    test::SetOct(*w, at[k], 40 * at[k], 32000 / ipiSums[k]).IPIsum = ipiSums[k];
  }
  test::SetOct(*w, 5, 200, 40);
  UseOctets(*w, {1, 2, 3, 4, 6});
  cf::MeasureCall(*w);
  // IPIsumOf5 of the last octet 5 · 1045, of the third the five sums: 5225 − 4244 = 981.
  EXPECT_EQ(w->cur.preEndSlope, 654);
}

// A joined call is measured again; bends left in its octets by the measurement of the call they
// belonged to before must not become this call's bends.
TEST(Params, BendsComeOnlyFromThisMeasurement) {
  auto w = test::Work();
  for (int i = 1; i <= 12; ++i) test::SetOct(*w, i, 40 * i, 45);  // steady: no bends of its own
  w->oct[6].Bend = 49 * 16;                                       // left over from an earlier measurement
  w->oct[7].Bend = -30 * 16;
  UseOctets(*w, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  cf::MeasureCall(*w);
  EXPECT_EQ(w->cur.DBkhz, 0);
  EXPECT_EQ(w->cur.DBSharp, 0);
  EXPECT_EQ(w->cur.UBkhz, 0);
  EXPECT_EQ(w->cur.UBSharp, 0);
  EXPECT_NE(w->oct[6].FeatureType, tfDownBend);
  EXPECT_NE(w->oct[7].FeatureType, tfUpBend);
}

// Slopes set directly: a run of falling values over the given positions, steep elsewhere.
std::unique_ptr<cf::MinuteWork> FlatRun(int positions) {
  auto w = test::Work();
  const int n = 20;
  for (int i = 1; i <= n; ++i) test::SetOct(*w, i, 40 * i, 45);
  UseOctets(*w, [] {
    std::vector<int32_t> v;
    for (int i = 1; i <= 20; ++i) v.push_back(i);
    return v;
  }());
  w->callOctets[n + 1] = 0;
  for (int k = 1; k <= n; ++k) w->oct[k].FourOctIPIchange = 500;
  for (int k = 3; k < 3 + positions; ++k) w->oct[k].FourOctIPIchange = 12 - k;
  return w;
}

TEST(Params, AFlatNeedsTenPositions) {
  auto ten = FlatRun(10);
  cf::params::Flats(*ten);
  EXPECT_EQ(ten->cur.Flat1nOct, 10);
  EXPECT_EQ(ten->cur.Flat1avIPI, 89);  // 711 · 10 / 80
  EXPECT_EQ(ten->cur.Flat1score, 2);   // 3 − (40 − 10) div 16
  EXPECT_FALSE(ten->cur.Flat1CF);
  EXPECT_EQ(ten->oct[3].FeatureType, tfNonCFflat);
  EXPECT_EQ(ten->oct[12].FeatureType, tfNonCFflat);
  auto nine = FlatRun(9);
  cf::params::Flats(*nine);
  EXPECT_EQ(nine->cur.Flat1nOct, 0);
  EXPECT_EQ(nine->oct[3].FeatureType, tfNotFeature);
}

TEST(Params, SeqKeepsTheFirstFiveFeatures) {
  auto w = test::Work();
  const tFeatureClass marks[] = {tfMaxFall,  tfMaxRise, tfDownBend, tfUpBend,
                                 tfMinSlope, tfMaxFall, tfMaxRise,  tfNotFeature};
  for (int i = 1; i <= 8; ++i) test::SetOct(*w, i, 40 * i, 45).FeatureType = marks[i - 1];
  UseOctets(*w, {1, 2, 3, 4, 5, 6, 7, 8});
  cf::params::FeatureSequence(*w);
  EXPECT_EQ(w->cur.Seq, 012346);

  // A flat adds one digit, and another only at a new frequency.
  auto f = test::Work();
  const int32_t khz[] = {45, 45, 46, 52, 52};
  for (int i = 1; i <= 5; ++i) test::SetOct(*f, i, 40 * i, khz[i - 1]).FeatureType = tfCFflat;
  UseOctets(*f, {1, 2, 3, 4, 5});
  cf::params::FeatureSequence(*f);
  EXPECT_EQ(f->cur.Seq, 055);
}

TEST(Params, GapsBetweenCallsAreIn80MicrosecondUnitsUpTo254) {
  auto w = test::Work();
  w->callCount = 3;
  w->calls[1].EndTime = 1000;
  w->calls[2].StartTime = 1000 + 4079;
  w->calls[2].EndTime = 6000;
  w->calls[3].StartTime = 6000 + 4080;
  cf::SetCallGaps(*w);
  EXPECT_EQ(w->calls[1].GapToPriorCall, 255);
  EXPECT_EQ(w->calls[1].GapToNextCall, 254);
  EXPECT_EQ(w->calls[2].GapToPriorCall, 254);
  EXPECT_EQ(w->calls[2].GapToNextCall, 255);
  EXPECT_EQ(w->calls[3].GapToNextCall, 255);
}

TEST(Params, BuzzCallsGetOnlyTheSimpleMeasures) {
  auto w = test::Work();
  test::SetOct(*w, 1, 100, 40, 9).ampSum = 300;
  test::SetOct(*w, 2, 140, 42, 10).ampSum = 900;
  test::SetOct(*w, 3, 180, 41, 10).ampSum = 900;
  w->callCount = 7;
  const tCall c = cf::MeasureBuzzCall(*w, 1, 3);
  EXPECT_EQ(c.Number, 8);
  EXPECT_EQ(c.nSelOctInCall, 3);
  EXPECT_EQ(c.Duration100Musecs, 4);
  EXPECT_EQ(c.ModalKHZ, 42);  // the first of the loudest
  EXPECT_EQ(c.Fav, 41);
  EXPECT_EQ(c.avScore, 10);  // round(29 / 3)
  EXPECT_EQ(c.AmpAv, 2100 / 8 / 3);
  EXPECT_EQ(c.EndTime, 0);
  EXPECT_TRUE(c.BuzzCall);
}

}  // namespace
}  // namespace zorvel
