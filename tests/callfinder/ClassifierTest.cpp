// The British0 rule tests and the minute rules.
#include <gtest/gtest.h>

#include <sstream>

#include "OctetFixture.h"
#include "callfinder/CallEmitter.h"
#include "callfinder/Classifier.h"
#include "callfinder/Messages.h"

namespace zorvel {
namespace {

tCall GhbLike(int32_t fstart) {
  tCall c;
  c.ModalKHZ = 83;
  c.MedianKHZ = 86;
  c.BodyHiKhz = 90;
  c.BodyLoKhz = 80;
  c.Fstart = fstart;
  c.Fend = 82;
  c.Fmin = 80;
  c.Fmax = fstart;
  c.nSelOctInCall = 40;
  c.RisingIPIindex = 50;
  c.avBodyIPIchangePerMsec = 5;
  return c;
}

TEST(Rules, GhbNeedsTheStartWithin20KilohertzOfTheMode) {
  tCall far = GhbLike(104);
  cf::CandidateList l;
  cf::RuleTests(far, l);
  for (int i = 0; i < l.count; ++i) EXPECT_NE(l.entries[i].species, cf::kGHB);
  tCall near = GhbLike(100);
  cf::CandidateList m;
  cf::RuleTests(near, m);
  ASSERT_GE(m.count, 1);
  EXPECT_EQ(m.entries[0].species, cf::kGHB);
  EXPECT_EQ(m.entries[0].score, 2);
  EXPECT_EQ(near.CallType, tcCF);
}

TEST(Rules, LhbScoresAtLeastOneUnlessTheFrequencyChangesFast) {
  tCall c;
  c.ModalKHZ = 112;
  c.Fstart = 120;
  c.nSelOctInCall = 20;
  cf::CandidateList l;
  cf::RuleTests(c, l);
  ASSERT_GE(l.count, 1);
  EXPECT_EQ(l.entries[0].species, cf::kLHB);
  EXPECT_GE(l.entries[0].score, 1);
  tCall fast = c;
  fast.avKHZchangePerMsec = -200;
  cf::CandidateList f;
  cf::RuleTests(fast, f);
  for (int i = 0; i < f.count; ++i) EXPECT_NE(f.entries[i].species, cf::kLHB);
}

tCall CmnPipLike() {
  tCall c;
  c.ModalKHZ = 48;
  c.Fmin = 45;
  c.Fmax = 60;
  c.Fstart = 60;
  c.Fend = 45;
  c.nSelOctInCall = 20;
  c.BodyHiKhz = 50;
  c.BodyLoKhz = 45;
  c.BodyRnge = 5;
  c.Frange = 15;
  return c;
}

// A minute whose calls are given; their records sit in the output buffer as the emitter
// leaves them.
std::unique_ptr<cf::MinuteWork> Minute(const std::vector<tCall>& calls) { return test::MinuteOfCalls(calls); }

uint8_t SpNByte(const cf::MinuteWork& w, int i) {
  return w.out[w.calls[i].ClBufPosnOfStart + 32 + 15];
}

TEST(MinuteRules, CmnPipNeedsARunOfSixCalls) {
  const tCall none;
  auto five = Minute({CmnPipLike(), CmnPipLike(), CmnPipLike(), CmnPipLike(), CmnPipLike(), none});
  cf::ClassifyMinute(*five);
  EXPECT_EQ(five->counters.SpMaxRun[3], 4);
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(five->calls[i].SpN, 0);
    EXPECT_EQ(five->calls[i].Sp2N, 3);
    EXPECT_EQ(SpNByte(*five, i), 0);
  }
  std::vector<tCall> calls(6, CmnPipLike());
  calls.push_back(none);
  calls.push_back(CmnPipLike());  // a lone one elsewhere
  auto six = Minute(calls);
  cf::ClassifyMinute(*six);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(six->calls[i].SpN, 3);
    EXPECT_EQ(six->calls[i].Sp2N, 0);
    EXPECT_EQ(SpNByte(*six, i), 3);
    EXPECT_EQ(six->out[six->calls[i].ClBufPosnOfStart + 32 + 12], tcQCF);
  }
  EXPECT_EQ(six->calls[8].SpN, 0);
  EXPECT_EQ(six->calls[8].Sp2N, 3);
  EXPECT_EQ(six->counters.callsPerSpN[3], 6);
  EXPECT_EQ(six->counters.callsPerSpN[0], 2);
}

TEST(MinuteRules, CandidatesAreRankedUnlessTheCallIsConstantFrequency) {
  tCall c = GhbLike(90);
  c.MedianKHZ = 80;  // GHB scores 1 only
  c.Fmin = 30;       // a deep dip: Natterer scores 3 + 3
  c.Fstart = c.Fend = 45;
  c.ModalKHZ = 80;
  auto w = Minute({c});
  cf::ClassifyMinute(*w);
  ASSERT_EQ(w->candidates[1].count, 2);
  EXPECT_EQ(w->calls[1].CallType, tcFM);
  EXPECT_EQ(w->candidates[1].entries[0].species, cf::kNatterer);
  EXPECT_EQ(w->candidates[1].entries[1].species, cf::kGHB);
  EXPECT_EQ(w->calls[1].Sp2N, cf::kNatterer);
}

TEST(MinuteRules, BuzzCallsAfterAgreeingLabelledCallsTakeTheirSpecies) {
  std::vector<tCall> calls(6, CmnPipLike());
  tCall buzz;
  buzz.BuzzCall = true;
  calls.push_back(buzz);
  calls.push_back(buzz);
  calls.push_back(tCall{});
  auto w = Minute(calls);
  cf::ClassifyMinute(*w);
  EXPECT_EQ(SpNByte(*w, 7), 3);
  EXPECT_EQ(SpNByte(*w, 8), 3);
  EXPECT_EQ(w->out[w->calls[7].ClBufPosnOfStart + 32 + 12], tcQCF);
  EXPECT_EQ(w->calls[7].SpN, 0);  // the call array keeps its own values
  EXPECT_EQ(w->out[w->calls[7].ClBufPosnOfStart + 32 + 6], kFlagBuzzCall);
}

TEST(Export, ALineHasAFieldForEachHeaderColumn) {
  tCall c = CmnPipLike();
  c.GapToNextCall = 255;
  const std::string line = cf::ClassifierExportLine(c, "SoPip");
  auto columns = [](const std::string& s) { return std::count(s.begin(), s.end(), '\t') + 1; };
  EXPECT_EQ(columns(line), columns(std::string(cfmsg::kExportHeader)));
  EXPECT_EQ(line.substr(line.size() - 9), "255\tSoPip");
  EXPECT_EQ(line.substr(0, 4), "0\t0\t");
}

}  // namespace
}  // namespace zorvel
