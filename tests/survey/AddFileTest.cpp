// Adding data files: one night from file to every public table, replacing a file added again
// (under any name), deployments split by gaps, places and classifiers, files without a position,
// and a write that fails half-way leaving the survey as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>

#include "SurveyFiles.h"
#include "core/SunTimes.h"
#include "support/RecordingHost.h"
#include "survey/Survey.h"

namespace zorvel::survey {
namespace {

using testing::AddPass;
using testing::Place;
using testing::QuietMinutes;
using testing::ScalarText;
using testing::TempDir;

constexpr double kTicksPerMinuteD = 12'000'000.0;

int32_t At(int day, int hour, int minute) {
  return *MinuteNumber(2026, 6, day, hour, minute);
}

std::string WriteZv2(const TempDir& dir, const std::string& name, int32_t first,
                     const std::vector<testing::SyntheticMinute>& ms, const Place& place = {}) {
  const std::string path = dir.File(name);
  EXPECT_TRUE(testing::WriteDataFile(
      path, testing::SurveyHeader(first, first + static_cast<int32_t>(ms.size()) - 1, place), ms));
  return path;
}

struct Fixture {
  TempDir dir{"survey_add"};
  testing::RecordingHost host;
  std::unique_ptr<Survey> survey;
  Fixture() {
    OpenResult r = OpenSurvey(dir.File("s.zvs"), OpenMode::ReadWrite);
    survey = std::move(r.survey);
  }
  sqlite3* Db() const { return survey->Handle(); }
  std::string Q(const std::string& sql) const { return ScalarText(Db(), sql); }
};

// One night at 51.5 N, 0.12 W, an hour ahead of UTC, 20:00 to 06:00, the logger off 23:00 to
// 00:00; three common pipistrelle passes (one across 22:00) and a soprano at once with the last.
std::vector<testing::SyntheticMinute> OneNight(int32_t first, double sunset) {
  auto ms = QuietMinutes(600);
  for (size_t k = 0; k < 60; ++k) ms[k].values.LightN = 100;
  for (size_t k = 180; k < 240; ++k) ms[k].values.MinON = false;
  ms[static_cast<size_t>(std::floor(sunset)) - static_cast<size_t>(first)].values.RtcDegC = 15;
  ms[400].values.RtcDegC = 8;
  ms[30].values.RtcDegC = 20;
  AddPass(ms, 100, 1000, 5, 46, 3);    // 21:40:01
  AddPass(ms, 119, 59'600, 4, 46, 3);  // 21:59:59.6 ...
  AddPass(ms, 120, 0, 3, 46, 3);       // ... on into 22:00
  AddPass(ms, 300, 2000, 3, 46, 3);    // 01:00:02, and a soprano beside it
  AddPass(ms, 300, 2050, 4, 55, 4);
  return ms;
}

TEST(AddFile, OneNightFromFileToEveryTable) {
  Fixture f;
  const int32_t first = At(21, 20, 0);
  const SunEvents sun = NightSunEvents(first, 51.5, -0.11667, 60);  // the header's "0 7 W" to five decimals
  ASSERT_TRUE(sun.sunset && sun.sunrise);
  const std::string path = WriteZv2(f.dir, "night.ZV2", first, OneNight(first, *sun.sunset));
  const auto before = testing::ReadAll(path);
  const AddOutcome r = AddFile(*f.survey, path, {}, f.host);
  ASSERT_EQ(r.status, AddStatus::Added) << r.message;
  EXPECT_TRUE(r.warnings.empty());
  EXPECT_EQ(testing::ReadAll(path), before);  // only read

  EXPECT_EQ(f.Q("SELECT logger || '|' || location || '|' || round(latitude, 4) || '|' || round(longitude, 4) "
                "|| '|' ||"
                " utc_offset_min || '|' || files || '|' || classifier FROM deployment"),
            "10203|Pond|51.5|-0.1167|60|night.ZV2|British0");
  EXPECT_EQ(f.Q("SELECT first_minute || ' ' || last_minute FROM deployment"),
            std::to_string(first) + ".0 " + std::to_string(first + 600) + ".0");
  EXPECT_EQ(f.Q("SELECT count(*) FROM night"), "1");
  EXPECT_EQ(f.Q("SELECT date || ' ' || listened_minutes || ' ' || temp_sunset || ' ' || temp_min || ' ' ||"
                " temp_max || ' ' || mean_light FROM night"),
            "2026-06-21 540 15.0 8.0 20.0 19.0");
  EXPECT_NEAR(std::stod(f.Q("SELECT sunset FROM night")), *sun.sunset, 1e-6);
  EXPECT_NEAR(std::stod(f.Q("SELECT dawn FROM night")), *sun.dawn, 1e-6);
  // Listened minutes whose middle lies between sunset and sunrise, less the hour off.
  const int64_t effort =
      static_cast<int64_t>(std::ceil(*sun.sunrise - 0.5) - std::ceil(*sun.sunset - 0.5)) - 60;
  EXPECT_EQ(f.Q("SELECT effort_minutes FROM night"), std::to_string(effort));

  EXPECT_EQ(f.Q("SELECT count(*) FROM pass"), "4");
  EXPECT_EQ(f.Q("SELECT species || ' ' || calls || ' ' || confidence || ' ' || median_peak_khz || ' ' || file"
                " FROM pass ORDER BY start LIMIT 1 OFFSET 1"),
            "CmnPip 7 9 46.0 night.ZV2");  // one pass across the minute boundary
  const double crossStart = std::stod(f.Q("SELECT start FROM pass ORDER BY start LIMIT 1 OFFSET 1"));
  const double crossEnd = std::stod(f.Q("SELECT end FROM pass ORDER BY start LIMIT 1 OFFSET 1"));
  EXPECT_NEAR((crossStart - (first + 119)) * kTicksPerMinuteD, 59'600 * 200, 1);
  EXPECT_NEAR((crossEnd - (first + 120)) * kTicksPerMinuteD, 205 * 200, 1);

  EXPECT_EQ(
      f.Q("SELECT group_concat(species || ':' || passes || ':' || calls || ':' || activity_index || ':' ||"
          " busiest_hour, ' ') FROM (SELECT * FROM species_night ORDER BY species)"),
      "CmnPip:3:15:4:21 SopPip:1:4:1:1");
  const double firstAfter =
      std::stod(f.Q("SELECT first_after_sunset_min FROM species_night WHERE species='CmnPip'"));
  EXPECT_NEAR(firstAfter, first + 100 + 1000.0 / 60'000 - *sun.sunset, 1e-6);
  const double lastBefore =
      std::stod(f.Q("SELECT last_before_sunrise_min FROM species_night WHERE species='SopPip'"));
  EXPECT_NEAR(lastBefore, *sun.sunrise - (first + 300 + (2050 + 300 + 5) / 60'000.0), 1e-6);
  EXPECT_EQ(f.Q("PRAGMA foreign_key_check"), "<none>");
}

TEST(AddFile, TheSameFileAgainUnderAnyNameReplacesItsRows) {
  Fixture f;
  const int32_t first = At(21, 20, 0);
  const SunEvents sun = NightSunEvents(first, 51.5, -0.12, 60);
  const std::string path = WriteZv2(f.dir, "night.ZV2", first, OneNight(first, *sun.sunset));
  ASSERT_EQ(AddFile(*f.survey, path, {}, f.host).status, AddStatus::Added);
  const std::string copy = f.dir.File("renamed copy.ZV2");
  std::filesystem::copy_file(path, copy);
  const AddOutcome again = AddFile(*f.survey, copy, {}, f.host);
  EXPECT_EQ(again.status, AddStatus::Replaced);
  EXPECT_EQ(f.Q("SELECT count(*) FROM survey_file"), "1");
  EXPECT_EQ(f.Q("SELECT count(*) FROM pass"), "4");
  EXPECT_EQ(f.Q("SELECT sum(passes) FROM species_night"), "4");
  EXPECT_EQ(f.Q("SELECT files FROM deployment"), "renamed copy.ZV2");
}

TEST(AddFile, DeploymentsSplitAtGapsPlacesAndClassifiers) {
  Fixture f;
  // Night 21, then a file starting 14 hours after it ends with no bat: one deployment, two nights.
  const std::string a = WriteZv2(f.dir, "a.ZV2", At(21, 20, 0), OneNight(At(21, 20, 0), At(21, 21, 21)));
  const std::string b = WriteZv2(f.dir, "b.ZV2", At(22, 20, 0), QuietMinutes(600));
  // Four days on: a new deployment. The same hours at another place: another.
  const std::string c = WriteZv2(f.dir, "c.ZV2", At(26, 20, 0), QuietMinutes(60));
  Place elsewhere;
  elsewhere.location = "Wood";
  elsewhere.lat = "51 31 N";
  const std::string d = WriteZv2(f.dir, "d.ZV2", At(26, 21, 0), QuietMinutes(60), elsewhere);
  // The first night's file once more as named by another classifier: kept apart.
  Place eu;
  eu.classifier = "ZorvelEU1";
  const std::string e = WriteZv2(f.dir, "e.ZV2", At(21, 20, 0), OneNight(At(21, 20, 0), At(21, 21, 21)), eu);
  for (const std::string& p : {b, a, d, c, e})
    ASSERT_EQ(AddFile(*f.survey, p, {}, f.host).status, AddStatus::Added) << p;

  EXPECT_EQ(f.Q("SELECT group_concat(files, ' | ') FROM (SELECT files FROM deployment"
                " ORDER BY logger, classifier, first_minute)"),
            "a.ZV2; b.ZV2 | c.ZV2 | d.ZV2 | e.ZV2");
  EXPECT_EQ(f.Q("SELECT group_concat(date || ':' || listened_minutes || ':' ||"
                " (SELECT count(*) FROM pass WHERE night_id = night.id), ' ') FROM night"
                " WHERE deployment_id = (SELECT id FROM deployment WHERE files LIKE 'a.ZV2%')"),
            "2026-06-21:540:4 2026-06-22:600:0");  // the night without a bat is a row
  EXPECT_EQ(f.Q("SELECT count(*) FROM deployment WHERE classifier = 'ZorvelEU1'"), "1");
  EXPECT_EQ(f.Q("SELECT sum(passes) FROM species_night WHERE classifier = 'British0'"), "4");
  EXPECT_EQ(f.Q("SELECT sum(passes) FROM species_night WHERE classifier = 'ZorvelEU1'"), "4");

  // Only the files of the classifier asked for.
  AddOptions only;
  only.classifier = "ZorvelEU1";
  const AddOutcome skipped = AddFile(*f.survey, a, only, f.host);
  EXPECT_EQ(skipped.status, AddStatus::Skipped);
  EXPECT_EQ(skipped.message, "its calls were named by British0, not by ZorvelEU1");
}

TEST(AddFile, AFileWithoutPositionOrOffsetKeepsItsSunColumnsEmpty) {
  Fixture f;
  Place nowhere;
  nowhere.lat = "";
  nowhere.utc = "";
  auto ms = QuietMinutes(300);
  AddPass(ms, 50, 0, 3, 46, 3);
  const std::string path = WriteZv2(f.dir, "nowhere.ZV2", At(21, 20, 0), ms, nowhere);
  const AddOutcome r = AddFile(*f.survey, path, {}, f.host);
  ASSERT_EQ(r.status, AddStatus::Added);
  ASSERT_EQ(r.warnings.size(), 1u);
  EXPECT_EQ(r.warnings[0],
            path + ": no position or UTC offset in the header; the sun columns of its nights stay empty");
  EXPECT_EQ(f.Q("SELECT coalesce(sunset, sunrise, dusk, dawn, effort_minutes, 'all empty') FROM night"),
            "all empty");
  EXPECT_EQ(f.Q("SELECT listened_minutes FROM night"), "300");
  EXPECT_EQ(f.Q("SELECT coalesce(first_after_sunset_min, last_before_sunrise_min, 'empty') || ' ' || passes"
                " FROM species_night"),
            "empty 1");
}

TEST(AddFile, ZV3FilesCarryNoClassifierName) {
  Fixture f;
  auto ms = QuietMinutes(120);
  AddPass(ms, 10, 0, 4, 46, 3);
  const std::string path = WriteZv2(f.dir, "night.ZV3", At(21, 21, 0), ms);
  ASSERT_EQ(AddFile(*f.survey, path, {}, f.host).status, AddStatus::Added);
  EXPECT_EQ(f.Q("SELECT '[' || classifier || '] ' || files FROM deployment"), "[] night.ZV3");
  EXPECT_EQ(f.Q("SELECT count(*) FROM pass"), "1");
}

TEST(AddFile, ANightAcrossAChangeOfClockKeepsTheFilesOffset) {
  // Summer time begins in the night of 28 to 29 March 2026; the logger's clock (UTC+1) does not.
  Fixture f;
  const int32_t first = *MinuteNumber(2026, 3, 28, 18, 0);
  const std::string path = WriteZv2(f.dir, "march.ZV2", first, QuietMinutes(38 * 60));
  ASSERT_EQ(AddFile(*f.survey, path, {}, f.host).status, AddStatus::Added);
  const double rise28 = std::stod(f.Q("SELECT sunrise FROM night WHERE date = '2026-03-28'"));
  const double rise29 = std::stod(f.Q("SELECT sunrise FROM night WHERE date = '2026-03-29'"));
  EXPECT_NEAR(rise29 - rise28, 1440 - 2, 1.0);  // two minutes earlier each morning, no hour's jump
  EXPECT_NEAR(rise29, *NightSunEvents(first + 1440, 51.5, -0.11667, 60).sunrise, 1e-6);
  EXPECT_EQ(f.Q("SELECT group_concat(listened_minutes, ' ') FROM night"), "1080 1200");
}

TEST(AddFile, AFailedWriteLeavesTheSurveyAsItWas) {
  Fixture f;
  const std::string a = WriteZv2(f.dir, "a.ZV2", At(21, 20, 0), OneNight(At(21, 20, 0), At(21, 21, 21)));
  ASSERT_EQ(AddFile(*f.survey, a, {}, f.host).status, AddStatus::Added);
  const std::string before = ExportTableCsv(*f.survey, Table::Passes);
  // The disk is full: no page more may be added.
  const std::string pages = f.Q("PRAGMA page_count");
  sqlite3_exec(f.Db(), ("PRAGMA max_page_count = " + pages).c_str(), nullptr, nullptr, nullptr);
  auto ms = QuietMinutes(1400);
  for (size_t k = 0; k < ms.size(); k += 2) AddPass(ms, k, 0, 3, 46, 3);
  const std::string big = WriteZv2(f.dir, "big.ZV2", At(22, 20, 0), ms);
  const AddOutcome r = AddFile(*f.survey, big, {}, f.host);
  EXPECT_EQ(r.status, AddStatus::Failed);
  EXPECT_EQ(r.message, f.survey->Path() + ": the disk is full; the survey is as it was before this file");
  EXPECT_EQ(f.Q("SELECT count(*) FROM survey_file"), "1");
  EXPECT_EQ(ExportTableCsv(*f.survey, Table::Passes), before);

  // Files it cannot take.
  const AddOutcome zv1 = AddFile(*f.survey, f.dir.File("raw.ZV1"), {}, f.host);
  EXPECT_EQ(zv1.status, AddStatus::Failed);
  EXPECT_EQ(zv1.message, "not a ZV2 or ZV3 file");
  testing::WriteAll(f.dir.File("junk.ZV2"), std::vector<uint8_t>(100, 7));
  EXPECT_EQ(AddFile(*f.survey, f.dir.File("junk.ZV2"), {}, f.host).status, AddStatus::Failed);
}

}  // namespace
}  // namespace zorvel::survey
