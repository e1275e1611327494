// Reading the public tables: every row lands under its deployment and night, NULLs stay empty.
#include <gtest/gtest.h>

#include "SurveyFixture.h"

namespace zorvel {
namespace {

TEST(ReportData, RowsLandUnderTheirDeploymentAndNight) {
  testing::SurveyFixture s;
  ASSERT_TRUE(s.opened.survey) << s.opened.message;
  // Inserted out of order: the reader sorts deployments by logger and nights by date.
  const int64_t late = s.rows.Deployment(20, "Wood", std::nullopt, std::nullopt, 66000, 67000);
  const int64_t early = s.rows.Deployment(10, "Pond", 51.5, -0.1, 65000, 66000);
  const int64_t n2 = s.rows.Night(early, "2026-06-02", {1000.5, 1500.25, 600, 480, 15, 9, 18, 2.5});
  const int64_t n1 = s.rows.Night(early, "2026-06-01", {});
  const int64_t w1 = s.rows.Night(late, "2026-07-01", {});
  s.rows.Pass(early, n2, 1010, "CmnPip", 13, 4);
  s.rows.Pass(early, n1, 900, "Noctule");
  s.rows.Pass(early, n2, 1005, "");
  s.rows.Pass(late, w1, 1100, "CmnPip");
  ASSERT_TRUE(s.rows.DeriveSpeciesNights()) << s.rows.Error();

  const report::ReportData d = s.Load();
  ASSERT_EQ(d.deployments.size(), 2u);
  const report::Deployment& pond = d.deployments[0];
  EXPECT_EQ(pond.logger, 10);
  EXPECT_EQ(pond.location, "Pond");
  ASSERT_TRUE(pond.latitude && pond.utcOffsetMinutes);
  EXPECT_DOUBLE_EQ(*pond.latitude, 51.5);
  EXPECT_EQ(*pond.utcOffsetMinutes, 60);
  EXPECT_FALSE(d.deployments[1].latitude);
  EXPECT_FALSE(d.deployments[1].utcOffsetMinutes);

  ASSERT_EQ(pond.nights.size(), 2u);
  EXPECT_EQ(pond.nights[0].date, "2026-06-01");
  EXPECT_FALSE(pond.nights[0].sunset);
  EXPECT_FALSE(pond.nights[0].effortMinutes);
  EXPECT_EQ(pond.nights[1].date, "2026-06-02");
  EXPECT_DOUBLE_EQ(*pond.nights[1].sunrise, 1500.25);
  EXPECT_EQ(*pond.nights[1].effortMinutes, 480);
  EXPECT_DOUBLE_EQ(*pond.nights[1].meanLight, 2.5);

  // Passes in time order, each pointing at its own night.
  ASSERT_EQ(pond.passes.size(), 3u);
  EXPECT_EQ(pond.passes[0].species, "Noctule");
  EXPECT_EQ(pond.passes[0].night, 0u);
  EXPECT_EQ(pond.passes[1].species, "");
  EXPECT_EQ(pond.passes[2].night, 1u);
  EXPECT_EQ(pond.passes[2].confidence, 13);
  EXPECT_EQ(pond.passes[2].buzzCalls, 4);

  ASSERT_EQ(pond.speciesNights.size(), 3u);
  for (const auto& sn : pond.speciesNights) {
    if (sn.species == "CmnPip") {
      EXPECT_EQ(sn.night, 1u);
      ASSERT_TRUE(sn.firstAfterSunset);
      EXPECT_NEAR(*sn.firstAfterSunset, 9.5, 1e-9);
    }
    if (sn.species == "Noctule") {
      EXPECT_FALSE(sn.firstAfterSunset);  // its night has no sunset
    }
  }
  ASSERT_EQ(d.deployments[1].passes.size(), 1u);
  EXPECT_EQ(d.deployments[1].nights.size(), 1u);
}

TEST(ReportData, AFileWithoutTheTablesIsAnErrorNotACrash) {
  testing::TempDir dir;
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((dir / "empty.db").c_str(), &db), SQLITE_OK);
  const report::LoadResult r = report::LoadReportData(db, "empty.db");
  sqlite3_close(db);
  EXPECT_FALSE(r.data);
  EXPECT_NE(r.message.find("deployment"), std::string::npos) << r.message;
}

}  // namespace
}  // namespace zorvel
