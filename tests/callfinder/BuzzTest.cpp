// The buzz finder on hand-built trains of sound groups.
#include <gtest/gtest.h>

#include "OctetFixture.h"
#include "callfinder/BuzzFinder.h"
#include "callfinder/OctetDecoder.h"

namespace zorvel {
namespace {

struct Group {
  int32_t start;
  int octets;
  uint8_t ipi = 90;       // 44 kHz
  uint8_t scoreByte = 9;  // octet score 5
};

// A quiet octet at the minute's start, the groups, then two loud octets long after the train.
std::unique_ptr<cf::MinuteWork> Train(const std::vector<Group>& groups) {
  std::vector<uint8_t> b;
  auto put = [&](const Record& r) { b.insert(b.end(), r.begin(), r.end()); };
  put(test::SteadyRecord(0, 90, 9, 1));
  for (const Group& g : groups) {
    int32_t t = g.start;
    for (int k = 0; k < g.octets; ++k, t += 8 * g.ipi / 20) put(test::SteadyRecord(t, g.ipi, g.scoreByte));
  }
  const int32_t end = groups.back().start + 100'000;
  put(test::SteadyRecord(end, 90));
  put(test::SteadyRecord(end + 50'000, 90));
  put(test::SteadyRecord(end + 100'000, 90));
  auto w = test::Work();
  cf::DecodeOctets(*w, b.data(), b.size() / 16);
  cf::ComputeGapsAndHarmonics(*w);
  cf::MarkBuzzes(*w);
  return w;
}

std::vector<Group> Regular(int n, int octets, int32_t interval = 2000) {
  std::vector<Group> g;
  for (int i = 0; i < n; ++i) g.push_back({100'000 + i * interval, octets});
  return g;
}

int InBuzzCount(const cf::MinuteWork& w) {
  int c = 0;
  for (int i = 1; i <= w.N; ++i) c += w.oct[i].InBuzz ? 1 : 0;
  return c;
}

TEST(Buzz, FourRegularGroupsAreTheShortestBuzz) {
  const auto w = Train(Regular(4, 4));
  ASSERT_EQ(w->buzzes.size(), 1u);
  EXPECT_EQ(w->buzzes[0].nCalls, 4);
  EXPECT_EQ(w->oct[2].NcallsInBz, 4);
  for (int g = 0; g < 4; ++g) {
    const int32_t first = 2 + 4 * g;
    EXPECT_EQ(w->buzzes[0].first[g], first);
    EXPECT_EQ(w->oct[first].NoctInBzCall, 4);
    EXPECT_TRUE(w->oct[first].InCall);
  }
  EXPECT_EQ(InBuzzCount(*w), 16);
  EXPECT_TRUE(Train(Regular(3, 4))->buzzes.empty());
}

TEST(Buzz, ScoreSumOf20PassesAnd19Fails) {
  auto groups = Regular(4, 4);
  EXPECT_EQ(Train(groups)->buzzes.size(), 1u);  // 4 × 5 = 20
  groups[3].scoreByte = 8;                      // 5 + 5 + 5 + 4
  EXPECT_TRUE(Train(groups)->buzzes.empty());
}

TEST(Buzz, TooFewOctetsPerGroupIsNoBuzz) {
  EXPECT_TRUE(Train(Regular(4, 3))->buzzes.empty());  // 12 div 5 is not above 2
}

TEST(Buzz, AGroupReaching16OctetsEndsTheCandidateAsItsLastGroup) {
  std::vector<Group> groups = Regular(3, 8, 3000);
  groups.push_back({100'000 + 3 * 3000, 20});
  const auto w = Train(groups);
  ASSERT_EQ(w->buzzes.size(), 1u);
  EXPECT_EQ(w->buzzes[0].nCalls, 4);
  EXPECT_EQ(w->buzzes[0].count[3], 16);
  const int32_t fourth = w->buzzes[0].first[3];
  EXPECT_TRUE(w->oct[fourth + 15].InBuzz);
  EXPECT_FALSE(w->oct[fourth + 16].InBuzz);
}

TEST(Buzz, AGroupAtAnotherFrequencyEndsTheCandidateWithoutIt) {
  auto groups = Regular(5, 4);
  for (Group& g : groups) g.scoreByte = 11;  // octet score 7
  groups[4].ipi = 40;                        // 100 kHz after 44 kHz
  // Dropping the last group takes its score (7) from the sum although a bad group never added
  // it: 28 − 7 leaves 21, still enough.
  const auto w = Train(groups);
  ASSERT_EQ(w->buzzes.size(), 1u);
  EXPECT_EQ(w->buzzes[0].nCalls, 4);
  EXPECT_EQ(InBuzzCount(*w), 16);
}

TEST(Buzz, AFourthIntervalLongerThanTheFirstAbandonsTheCandidate) {
  std::vector<Group> groups = {{100'000, 4}, {102'000, 4}, {103'800, 4}, {105'900, 4}, {107'700, 4}};
  const auto w = Train(groups);
  EXPECT_TRUE(w->buzzes.empty());
  EXPECT_EQ(InBuzzCount(*w), 0);
}

}  // namespace
}  // namespace zorvel
