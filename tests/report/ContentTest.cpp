// The report's sentences and heading lines, spelt out in full: the PDF and the HTML file both
// print them, so a changed word or separator shows in every report.
#include <gtest/gtest.h>

#include "ReportRows.h"
#include "report/Content.h"
#include "report/Summaries.h"

namespace zorvel {
namespace {

using report::Deployment;
using report::NightRow;
using report::PassRow;
using zorvel::testing::SN;

constexpr double kJune1 = 66490560;  // 2026-06-01 00:00 as a minute number

Deployment Pond() {
  Deployment d;
  d.logger = 1234;
  d.location = "Pond";
  d.classifier = "ZorvelEU1";
  d.latitude = 51.5;
  d.longitude = -0.11667;
  d.firstMinute = kJune1 + 20 * 60;
  d.lastMinute = kJune1 + 2 * 1440 + 5 * 60;
  NightRow a, b;
  a.effortMinutes = 400;
  b.effortMinutes = 350;
  d.nights = {a, b};
  d.speciesNights = {SN(0, "CmnPip", 3, 2), SN(1, "Noctule", 4, 3)};
  return d;
}

TEST(ReportContent, DeploymentTitleAndLine) {
  Deployment d = Pond();
  EXPECT_EQ(report::DeploymentTitle(d), "Deployment: Pond \u2014 Logger 1234 (ZorvelEU1)");
  EXPECT_EQ(report::DeploymentLine(d),
            "2026-06-01 \u2013 2026-06-03 \u00b7 51.50000\u00b0 N, 0.11667\u00b0 W \u00b7 2 night(s) \u00b7 "
            "Effort (h) 12.5 \u00b7 7 passes");
  // A deployment without a place or position says so instead of leaving a gap.
  d.location.clear();
  d.latitude.reset();
  EXPECT_EQ(report::DeploymentTitle(d), "Deployment: ? \u2014 Logger 1234 (ZorvelEU1)");
  EXPECT_NE(report::DeploymentLine(d).find(" \u00b7 no position \u00b7 "), std::string::npos)
      << report::DeploymentLine(d);
}

TEST(ReportContent, NamesStatementListsClassifiersAndHowSureTheyWere) {
  report::ReportData data;
  Deployment a = Pond();
  a.passes = {PassRow{0, kJune1 + 1300, "CmnPip", 12, 0}, PassRow{0, kJune1 + 1301, "CmnPip", 9, 0},
              PassRow{1, kJune1 + 2800, "", 0, 0}};
  Deployment b = a;
  b.classifier = "British0";
  b.passes.clear();
  Deployment c = b;
  c.classifier.clear();
  data.deployments = {a, b, c};
  EXPECT_EQ(report::NamesStatement(data),
            "Species names were given by the classifier ZorvelEU1, British0 and ?; the confidence of a "
            "pass's name runs from 0 (a guess) to 15 (certain). Mean confidence of named passes: 10.5; "
            "named with confidence 12 or more: 50 %.");
  data.deployments = {b};
  EXPECT_EQ(report::NamesStatement(data),
            "Species names were given by the classifier British0; the confidence of a pass's name runs "
            "from 0 (a guess) to 15 (certain). No pass was named.");
}

TEST(ReportContent, TableHeadingsAreTheReportsOwn) {
  report::ReportData data;
  data.deployments = {Pond()};
  const report::TableBlock species = report::SpeciesTable(data);
  ASSERT_FALSE(species.headings.empty());
  EXPECT_EQ(species.headings.front(), "Species");
  const report::TableBlock deployments = report::DeploymentTable(data);
  EXPECT_EQ(deployments.headings, (std::vector<std::string>{"Logger", "Location", "Position", "From", "To",
                                                            "Nights", "Effort (h)"}));
  EXPECT_EQ(deployments.headings.size(), deployments.widths.size());
  ASSERT_EQ(deployments.rows.size(), 1u);
  EXPECT_EQ(deployments.rows[0][0], "1234");
}

}  // namespace
}  // namespace zorvel
