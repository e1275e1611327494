// Merging surveys equals adding their files to one, whatever the order; the CSV tables.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "SurveyFiles.h"
#include "support/RecordingHost.h"
#include "survey/Survey.h"

namespace zorvel::survey {
namespace {

using testing::AddPass;
using testing::Place;
using testing::QuietMinutes;
using testing::TempDir;

constexpr Table kTables[] = {Table::Deployments, Table::Nights, Table::Passes, Table::SpeciesNights};

struct Season {
  TempDir dir{"survey_merge"};
  std::vector<std::string> files;
  Season() {
    // Logger A: two consecutive files of one night, a pass across the file boundary at 22:00;
    // logger B at "Wood, east side" (a comma for the CSV) with passes the next night.
    const int32_t a0 = *MinuteNumber(2026, 6, 21, 20, 0);
    auto first = QuietMinutes(120), second = QuietMinutes(480);
    AddPass(first, 30, 500, 6, 46, 3);
    AddPass(first, 119, 59'700, 3, 46, 3);
    AddPass(second, 0, 100, 4, 46, 3);
    AddPass(second, 200, 100, 4, 55, 4);
    files.push_back(Write("a1.ZV2", a0, first, {}));
    files.push_back(Write("a2.ZV2", a0 + 120, second, {}));
    Place b;
    b.logger = 20304;
    b.location = "Wood, east side";
    b.lat = "-34.0";
    b.lon = "18.47";
    b.utc = "+2";
    auto night = QuietMinutes(700);
    AddPass(night, 100, 0, 8, 40, 7);
    AddPass(night, 500, 0, 3, 40, 7);
    files.push_back(Write("b1.ZV2", *MinuteNumber(2026, 6, 22, 19, 0), night, b));
  }
  std::string Write(const std::string& name, int32_t first, const std::vector<testing::SyntheticMinute>& ms,
                    const Place& p) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteDataFile(
        path, testing::SurveyHeader(first, first + static_cast<int32_t>(ms.size()) - 1, p), ms));
    return path;
  }
  std::unique_ptr<Survey> Make(const std::string& name, const std::vector<size_t>& which) {
    testing::RecordingHost host;
    auto s = std::move(OpenSurvey(dir.File(name), OpenMode::ReadWrite).survey);
    for (size_t k : which) EXPECT_NE(AddFile(*s, files[k], {}, host).status, AddStatus::Failed) << files[k];
    return s;
  }
};

TEST(MergeFrom, EqualsAddingTheFilesToOneSurvey) {
  Season season;
  testing::RecordingHost host;
  auto whole = season.Make("whole.zvs", {0, 1, 2});
  auto shard1 = season.Make("shard1.zvs", {2, 1});
  auto shard2 = season.Make("shard2.zvs", {1, 0});  // a2 in both shards: counted once
  auto merged = season.Make("merged.zvs", {});
  ASSERT_TRUE(MergeFrom(*merged, season.dir.File("shard1.zvs"), host).ok);
  const MergeOutcome m = MergeFrom(*merged, season.dir.File("shard2.zvs"), host);
  ASSERT_TRUE(m.ok) << m.message;
  EXPECT_EQ(m.files, 2);
  auto reversed = season.Make("reversed.zvs", {2, 1, 0});
  for (Table t : kTables) {
    const std::string expected = ExportTableCsv(*whole, t);
    EXPECT_EQ(ExportTableCsv(*merged, t), expected);
    EXPECT_EQ(ExportTableCsv(*reversed, t), expected);
  }
  // The pass across the two files of logger A is one pass; the files make one deployment.
  EXPECT_EQ(testing::ScalarText(whole->Handle(), "SELECT files FROM deployment WHERE logger = 10203"),
            "a1.ZV2; a2.ZV2");
  EXPECT_EQ(testing::ScalarText(whole->Handle(),
                                "SELECT count(*) FROM pass WHERE deployment_id ="
                                " (SELECT id FROM deployment WHERE logger = 10203)"),
            "3");

  // What cannot be merged is named, and the target keeps what it had.
  const std::string junk = season.dir.File("junk.zvs");
  testing::WriteAll(junk, std::vector<uint8_t>(2048, 'j'));
  const MergeOutcome bad = MergeFrom(*merged, junk, host);
  EXPECT_FALSE(bad.ok);
  EXPECT_EQ(bad.message, junk + ": not a survey file (not an SQLite database)");
  EXPECT_EQ(ExportTableCsv(*merged, Table::Passes), ExportTableCsv(*whole, Table::Passes));
}

TEST(ExportTableCsv, HeadingsTimesAndQuoting) {
  Season season;
  auto s = season.Make("s.zvs", {0, 1, 2});
  const std::string deployments = ExportTableCsv(*s, Table::Deployments);
  EXPECT_EQ(
      deployments,
      "logger,location,latitude,longitude,utc_offset_min,first_minute,last_minute,files,classifier\r\n"
      "10203,Pond,51.5,-0.11667,60,2026-06-21 20:00:00,2026-06-22 06:00:00,a1.ZV2; a2.ZV2,British0\r\n"
      "20304,\"Wood, east side\",-34,18.47,120,2026-06-22 19:00:00,2026-06-23 06:40:00,b1.ZV2,British0\r\n");
  const std::string nights = ExportTableCsv(*s, Table::Nights);
  EXPECT_EQ(
      nights.substr(0, nights.find("\r\n")),
      "logger,location,classifier,date,sunset,sunrise,dusk,dawn,listened_minutes,effort_minutes,temp_sunset,"
      "temp_min,temp_max,mean_light");
  const std::string passes = ExportTableCsv(*s, Table::Passes);
  EXPECT_EQ(
      passes.substr(0, passes.find("\r\n")),
      "logger,location,night,file,start,end,species,classifier,confidence,calls,buzz_calls,median_peak_khz");
  EXPECT_NE(passes.find(
                "10203,Pond,2026-06-21,a1.ZV2,2026-06-21 20:30:00,2026-06-21 20:30:01,CmnPip,British0,9,6,0,"
                "46\r\n"),
            std::string::npos);
  const std::string sn = ExportTableCsv(*s, Table::SpeciesNights);
  EXPECT_NE(sn.find("20304,\"Wood, east side\",2026-06-22,British0,FM,2,11,0,2,175.219,"), std::string::npos)
      << sn;
  EXPECT_EQ(TableFromName("species-nights"), Table::SpeciesNights);
  EXPECT_FALSE(TableFromName("species_night"));
}

}  // namespace
}  // namespace zorvel::survey
