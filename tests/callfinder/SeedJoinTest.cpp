// The seed of a call and the join to the call before it, on hand-built octets.
#include <gtest/gtest.h>

#include "OctetFixture.h"
#include "callfinder/CallAssembly.h"

namespace zorvel {
namespace {

using cf::SeedResult;

// Five octets 100 ticks apart at 50 kHz; the third at the given frequency.
std::unique_ptr<cf::MinuteWork> FlatSeed(int32_t thirdKhz,
                                         std::array<int32_t, 5> scores = {10, 10, 10, 10, 10},
                                         FinderSettings s = {}) {
  auto w = test::Work(s);
  for (int i = 1; i <= 5; ++i) test::SetOct(*w, i, 100 * i, i == 3 ? thirdKhz : 50, scores[i - 1]);
  return w;
}

TEST(Seed, ThirdOctetMismatchMustBeStrictlyBelowTheLimit) {
  // Predicted 50 kHz; 47 kHz misses by round(3 · 200 / 50) = 12, the limit.
  EXPECT_EQ(cf::TrySeed(*FlatSeed(47), 1).result, SeedResult::ThirdFailed);
  auto w = FlatSeed(48);
  w->oct[4].KHZ = 46;  // carried on along 50 → 48: predicted 46
  w->oct[5].KHZ = 44;
  const auto res = cf::TrySeed(*w, 1);
  EXPECT_EQ(res.result, SeedResult::Found);
  EXPECT_EQ(w->callOctets[4], 4);
  EXPECT_EQ(w->SeedMismatchSum, 8);
}

TEST(Seed, ScoresMustReach16InAllAnd6Each) {
  auto w = FlatSeed(50, {6, 6, 6, 5, 6});
  EXPECT_EQ(cf::TrySeed(*w, 1).result, SeedResult::FourthFailed);
  EXPECT_EQ(w->SeedMinScore, 5);
  w = FlatSeed(50, {6, 6, 6, 6, 6});
  EXPECT_EQ(cf::TrySeed(*w, 1).result, SeedResult::Found);
  EXPECT_EQ(w->SeedScoreSum, 24);
}

TEST(Seed, MismatchSumOf30PassesAnd31Fails) {
  FinderSettings loose;
  loose.MaxMismatch = 25;
  auto build = [&](int32_t fourthKhz) {
    auto w = test::Work(loose);
    test::SetOct(*w, 1, 100, 200);
    test::SetOct(*w, 2, 200, 200);
    test::SetOct(*w, 3, 300, 189);  // misses by 11
    test::SetOct(*w, 4, 400, fourthKhz);
    test::SetOct(*w, 5, 500, 150);
    return w;
  };
  auto pass = build(160);  // predicted 178: round(18 · 200 / 189) = 19
  EXPECT_EQ(cf::TrySeed(*pass, 1).result, SeedResult::Found);
  EXPECT_EQ(pass->SeedMismatchSum, 30);
  auto fail = build(159);  // round(19 · 200 / 189) = 20
  EXPECT_EQ(cf::TrySeed(*fail, 1).result, SeedResult::FourthFailed);
  EXPECT_EQ(fail->SeedMismatchSum, 31);
}

TEST(Seed, AMissedFourthOctetMaySkipToTheFifth) {
  auto w = FlatSeed(50);
  w->oct[4].KHZ = 80;
  EXPECT_EQ(cf::TrySeed(*w, 1).result, SeedResult::Found);
  EXPECT_EQ(w->callOctets[4], 5);
  w = FlatSeed(50);
  w->oct[4].KHZ = 80;
  w->oct[4].postGap = 86;  // a long silence after the miss ends the seed
  EXPECT_EQ(cf::TrySeed(*w, 1).result, SeedResult::FourthFailed);
}

TEST(Seed, OctetsOutOfTimeOrderFail) {
  auto w = FlatSeed(50);
  w->oct[2].Time5mu = 100;
  EXPECT_EQ(cf::TrySeed(*w, 1).result, SeedResult::OutOfOrder);
}

// A prior call of octets 1 … 4 ending at tick 300 (50 kHz), and a candidate of octets 5 … 8
// starting gap ticks after the prior call's last octet starts.
std::unique_ptr<cf::MinuteWork> PriorAndCandidate(int32_t gap, int32_t candidateKhz) {
  auto w = test::Work();
  for (int i = 1; i <= 4; ++i) test::SetOct(*w, i, 100 * (i - 1), 50);
  for (int i = 5; i <= 8; ++i) test::SetOct(*w, i, 300 + gap + 40 * (i - 5), candidateKhz);
  w->haveAcceptedCall = true;
  w->nPriorOctets = 4;
  for (int k = 1; k <= 4; ++k) w->priorOctets[k] = k;
  w->priorLastOctTime = 300;
  w->prior.nSelOctInCall = 4;
  w->prior.nGoodFits = 2;
  w->nCallOctets = 4;
  for (int k = 1; k <= 4; ++k) w->callOctets[k] = 4 + k;
  w->cur.nSelOctInCall = 4;
  return w;
}

TEST(Join, NearCallsAtSimilarFrequencyJoinWithoutPrediction) {
  auto w = PriorAndCandidate(119, 40);  // 10 kHz apart: less than a quarter of 50
  ASSERT_TRUE(cf::JoinPriorCall(*w));
  EXPECT_TRUE(w->cur.Joined);
  EXPECT_EQ(w->nCallOctets, 8);
  EXPECT_EQ(w->callOctets[1], 1);
  EXPECT_EQ(w->callOctets[5], 5);
  EXPECT_EQ(w->cur.nGoodFits, 2);
  EXPECT_FALSE(w->oct[5].GapPrecedes);  // no octet was skipped between them
}

TEST(Join, DistantOrMismatchedCallsStaySeparate) {
  EXPECT_FALSE(cf::JoinPriorCall(*PriorAndCandidate(200, 50)));
  // 120 ticks is past the near limit: the flat predictions of 50 and 40 kHz do not meet.
  EXPECT_FALSE(cf::JoinPriorCall(*PriorAndCandidate(120, 40)));
  // … but flat predictions at one frequency do.
  EXPECT_TRUE(cf::JoinPriorCall(*PriorAndCandidate(150, 50)));
  auto buzz = PriorAndCandidate(100, 50);
  buzz->prior.BuzzCall = true;
  EXPECT_FALSE(cf::JoinPriorCall(*buzz));
}

TEST(Join, SkippedOctetsBetweenTheCallsMarkAGap) {
  auto w = PriorAndCandidate(100, 50);
  for (int k = 1; k <= 4; ++k) w->callOctets[k] = 5 + k;  // octet 5 lies between the calls
  test::SetOct(*w, 9, 600, 50);
  ASSERT_TRUE(cf::JoinPriorCall(*w));
  EXPECT_TRUE(w->oct[6].GapPrecedes);
}

TEST(Triage, ThresholdIsReachedNotExceeded) {
  tCall c;
  c.avScore = 4;
  c.BestQ = 7;
  c.BestQ2 = 4;  // 4 + 3 − 3 = 4
  c.nSelOctInCall = 6;
  c.nGoodFits = 1;
  c.avOctFit = 9;
  EXPECT_EQ(cf::TriageScore(c), 4);
  c.nSelOctInCall = 5;  // one short of 6 costs one
  EXPECT_EQ(cf::TriageScore(c), 3);
  c.nGoodFits = 0;  // 5 div 16 ≥ 0 costs another
  EXPECT_EQ(cf::TriageScore(c), 2);
  c.avOctFit = 1;  // close fits earn (9 − 1) div 2
  EXPECT_EQ(cf::TriageScore(c), 6);
}

}  // namespace
}  // namespace zorvel
