// The numbers behind the tables and figures.
#include <gtest/gtest.h>

#include "ReportRows.h"
#include "report/Summaries.h"

namespace zorvel {
namespace {

using zorvel::testing::SN;

using report::Deployment;
using report::NightRow;
using report::PassRow;
using report::SpeciesNightRow;

NightRow NightWithSun(double sunset, double sunrise) {
  NightRow n;
  n.sunset = sunset;
  n.sunrise = sunrise;
  return n;
}

TEST(SpeciesTotals, ClassifiersAreKeptApartAndBuzzSharesCounted) {
  report::ReportData data;
  Deployment a;
  a.classifier = "ZorvelEU1";
  a.nights = {NightRow{}, NightRow{}};
  a.speciesNights = {SN(0, "CmnPip", 3, 2), SN(1, "CmnPip", 1, 1), SN(1, "Noctule", 5, 4)};
  a.passes = {
      {0, 1, "CmnPip", 12, 0}, {0, 2, "CmnPip", 12, 6}, {0, 3, "CmnPip", 12, 0}, {1, 4, "CmnPip", 12, 5}};
  Deployment b = a;
  b.classifier = "British0";
  b.speciesNights = {SN(0, "CmnPip", 2, 2)};
  b.passes = {{0, 1, "CmnPip", 0, 0}, {0, 2, "CmnPip", 0, 0}};
  data.deployments = {a, b};

  const auto t = report::SpeciesTotals(data);
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[0].classifier, "British0");
  EXPECT_EQ(t[0].passes, 2);
  EXPECT_EQ(t[0].passesWithBuzz, 0);
  // Within a classifier, most passes first.
  EXPECT_EQ(t[1].species, "Noctule");
  EXPECT_EQ(t[1].nightsPresent, 1);
  EXPECT_EQ(t[2].species, "CmnPip");
  EXPECT_EQ(t[2].passes, 4);
  EXPECT_EQ(t[2].nightsPresent, 2);
  EXPECT_EQ(t[2].activityIndex, 3);
  EXPECT_DOUBLE_EQ(t[2].BuzzShare(), 0.5);
}

TEST(Confidence, OnlyNamedPassesCount) {
  report::ReportData data;
  Deployment d;
  d.classifier = "ZorvelEU1";
  d.passes = {{0, 1, "CmnPip", 14, 0}, {0, 2, "Noctule", 8, 0}, {0, 3, "", 0, 0}, {0, 4, "CmnPip", 12, 0}};
  data.deployments = {d, d};
  const auto c = report::Confidence(data);
  EXPECT_EQ(c.classifiers, std::vector<std::string>{"ZorvelEU1"});
  EXPECT_EQ(c.namedPasses, 6);
  EXPECT_EQ(c.highConfidence, 4);
  EXPECT_NEAR(c.meanConfidence, 34.0 / 3, 1e-9);
}

TEST(ChartSpecies, TheRestShareTheLastPlace) {
  Deployment d;
  d.nights = {NightRow{}};
  for (int i = 0; i < 5; ++i) d.speciesNights.push_back(SN(0, "S" + std::to_string(i), 10 - i, 0));
  const auto all = report::SpeciesForCharts(d, 8);
  EXPECT_FALSE(all.hasOthers);
  EXPECT_EQ(all.names.size(), 5u);
  EXPECT_EQ(all.IndexOf("S3"), 3u);
  const auto three = report::SpeciesForCharts(d, 3);
  ASSERT_EQ(three.names.size(), 3u);
  EXPECT_TRUE(three.hasOthers);
  EXPECT_EQ(three.names[1], "S1");
  EXPECT_EQ(three.IndexOf("S1"), 1u);
  EXPECT_EQ(three.IndexOf("S4"), 2u);
  EXPECT_EQ(three.IndexOf("S2"), 2u);
}

TEST(SeasonBins, PassesFallInQuarterHoursFromTheirNightsSunset) {
  Deployment d;
  d.nights = {NightWithSun(1000, 1480), NightWithSun(2440, 2900), NightRow{}};
  d.passes = {{0, 1000, "a", 0, 0},      {0, 1014.9, "a", 0, 0},    {0, 1015, "a", 0, 0}, {0, 993, "a", 0, 0},
              {1, 2440 + 61, "a", 0, 0}, {1, 2440 + 62, "a", 0, 0}, {2, 5000, "a", 0, 0}};
  const report::SeasonGrid g = report::SeasonBins(d);
  EXPECT_EQ(g.firstBin, -4);  // an hour before sunset at least
  ASSERT_EQ(g.counts.size(), 3u);
  auto at = [&](size_t night, int bin) { return g.counts[night][static_cast<size_t>(bin - g.firstBin)]; };
  EXPECT_EQ(at(0, 0), 2);
  EXPECT_EQ(at(0, 1), 1);
  EXPECT_EQ(at(0, -1), 1);
  EXPECT_EQ(at(1, 4), 2);
  EXPECT_EQ(g.maxCount, 2);
  EXPECT_EQ(g.leftOut, 1);  // the night without a sunset
  // The grid reaches an hour past the longest night's sunrise.
  EXPECT_EQ(g.firstBin + g.bins, 32 + 4);
  ASSERT_TRUE(g.sunriseAfter[0]);
  EXPECT_DOUBLE_EQ(*g.sunriseAfter[0], 480);
  EXPECT_FALSE(g.sunriseAfter[2]);
}

TEST(SeasonBins, EarlyPassesWidenTheGrid) {
  Deployment d;
  d.nights = {NightWithSun(1000, 1480)};
  d.passes = {{0, 1000 - 200, "a", 0, 0}};
  const report::SeasonGrid g = report::SeasonBins(d);
  EXPECT_EQ(g.firstBin, -14);
  EXPECT_EQ(g.counts[0][0], 1);
}

TEST(NiceTicks, RoundStepsCoverTheRange) {
  EXPECT_EQ(report::NiceTicks(0, 10, 5), (std::vector<double>{0, 2, 4, 6, 8, 10}));
  EXPECT_EQ(report::NiceTicks(0, 47, 5), (std::vector<double>{0, 10, 20, 30, 40}));
  EXPECT_EQ(report::NiceTicks(-12, 31, 4), (std::vector<double>{-10, 0, 10, 20, 30}));
  const std::vector<double> tenths = report::NiceTicks(0.2, 0.9, 3);
  ASSERT_EQ(tenths.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_NEAR(tenths[i], 0.2 * (i + 1), 1e-12);
  EXPECT_EQ(report::NiceTicks(5, 5, 4), (std::vector<double>{5}));
}

TEST(ReportTexts, PositionsDatesAndShares) {
  Deployment d;
  EXPECT_EQ(report::PositionText(d), "no position");
  d.latitude = -34.5;
  d.longitude = 18.25;
  EXPECT_EQ(report::PositionText(d), "34.50000\u00b0 S, 18.25000\u00b0 E");
  EXPECT_EQ(report::DateOfMinute(46174.0 * 1440 + 1439.99), "2026-06-01");
  EXPECT_EQ(report::PercentText(0.126), "13 %");
  EXPECT_EQ(report::SpeciesLabel(""), "(unclassed)");
}

}  // namespace
}  // namespace zorvel
