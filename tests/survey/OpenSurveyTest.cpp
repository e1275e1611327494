// Opening a survey: a new file gets the schema and its marks; every file that is not a survey
// this program may write is refused with its name in the message and left byte for byte alone.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "SurveyFiles.h"
#include "survey/Survey.h"

namespace zorvel::survey {
namespace {

using testing::ReadAll;
using testing::ScalarText;
using testing::TempDir;

TEST(OpenSurvey, CreatesTheSchemaWithItsVersionAndMark) {
  TempDir dir{"survey_open"};
  const std::string path = dir.File("season.zvs");
  OpenResult r = OpenSurvey(path, OpenMode::ReadWrite);
  ASSERT_TRUE(r.survey) << r.message;
  sqlite3* db = r.survey->Handle();
  EXPECT_EQ(ScalarText(db, "PRAGMA user_version"), "1");
  EXPECT_EQ(ScalarText(db, "PRAGMA application_id"), std::to_string(0x5A565359));
  EXPECT_EQ(ScalarText(db, "PRAGMA foreign_keys"), "1");
  for (const char* table : {"deployment", "night", "pass", "species_night"})
    EXPECT_EQ(ScalarText(db, std::string("SELECT count(*) FROM ") + table), "0") << table;
  r.survey.reset();
  // Opened again, nothing is created twice and the survey reads back.
  OpenResult again = OpenSurvey(path, OpenMode::ReadWrite);
  ASSERT_TRUE(again.survey) << again.message;
  OpenResult reading = OpenSurvey(path, OpenMode::ReadOnly);
  EXPECT_TRUE(reading.survey) << reading.message;
}

TEST(OpenSurvey, RefusesFilesThatAreNotItsSurveysAndLeavesThemAlone) {
  TempDir dir{"survey_refuse"};
  // Text that is no database.
  const std::string text = dir.File("notes.zvs");
  testing::WriteAll(text, std::vector<uint8_t>(4096, 'x'));
  OpenResult r = OpenSurvey(text, OpenMode::ReadWrite);
  EXPECT_FALSE(r.survey);
  EXPECT_EQ(r.message, text + ": not a survey file (not an SQLite database)");
  EXPECT_EQ(ReadAll(text), std::vector<uint8_t>(4096, 'x'));

  // Another program's database.
  const std::string foreign = dir.File("other.db");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(foreign.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const auto foreignBytes = ReadAll(foreign);
  r = OpenSurvey(foreign, OpenMode::ReadWrite);
  EXPECT_FALSE(r.survey);
  EXPECT_EQ(r.message, foreign + ": an SQLite database of another program, not a survey file");
  EXPECT_EQ(ReadAll(foreign), foreignBytes);

  // A survey of a newer schema.
  const std::string newer = dir.File("newer.zvs");
  ASSERT_TRUE(OpenSurvey(newer, OpenMode::ReadWrite).survey);
  ASSERT_EQ(sqlite3_open(newer.c_str(), &db), SQLITE_OK);
  sqlite3_exec(db, "PRAGMA user_version = 7", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  const auto newerBytes = ReadAll(newer);
  r = OpenSurvey(newer, OpenMode::ReadWrite);
  EXPECT_FALSE(r.survey);
  EXPECT_EQ(r.message, newer + ": made by a newer version of the program (survey schema 7); not changed");
  EXPECT_EQ(ReadAll(newer), newerBytes);

  // Missing when only read; a folder.
  r = OpenSurvey(dir.File("absent.zvs"), OpenMode::ReadOnly);
  EXPECT_EQ(r.message, dir.File("absent.zvs") + ": no such survey file");
  EXPECT_FALSE(std::filesystem::exists(dir.File("absent.zvs")));
  EXPECT_FALSE(OpenSurvey(dir.Path().string(), OpenMode::ReadWrite).survey);
}

TEST(OpenSurvey, RefusesAReadOnlyFileOrFolderAndALockedSurvey) {
  TempDir dir{"survey_locks"};
  const std::string path = dir.File("s.zvs");
  ASSERT_TRUE(OpenSurvey(path, OpenMode::ReadWrite).survey);
  ::chmod(path.c_str(), 0444);
  OpenResult r = OpenSurvey(path, OpenMode::ReadWrite);
  EXPECT_FALSE(r.survey);
  EXPECT_EQ(r.message, path + ": cannot be written (read-only file or folder)");
  EXPECT_TRUE(OpenSurvey(path, OpenMode::ReadOnly).survey);  // still readable
  ::chmod(path.c_str(), 0644);

  const std::filesystem::path locked = dir.Path() / "ro";
  std::filesystem::create_directories(locked);
  ::chmod(locked.c_str(), 0555);
  r = OpenSurvey((locked / "new.zvs").string(), OpenMode::ReadWrite);
  EXPECT_FALSE(r.survey);
  EXPECT_FALSE(std::filesystem::exists(locked / "new.zvs"));
  ::chmod(locked.c_str(), 0755);

  // Another writer in the middle of a transaction.
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  r = OpenSurvey(path, OpenMode::ReadWrite);
  EXPECT_FALSE(r.survey);
  EXPECT_EQ(r.message, path + ": in use by another program writing to it; try again when it has finished");
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  EXPECT_TRUE(OpenSurvey(path, OpenMode::ReadWrite).survey);
}

TEST(OpenSurvey, AReaderRecoversWhatAKilledWriterLeft) {
  TempDir dir{"survey_killed"};
  const std::string path = dir.File("s.zvs");
  ASSERT_TRUE(OpenSurvey(path, OpenMode::ReadWrite).survey);
  // A writer dies in the middle of a transaction, after some of its pages reached the file.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA cache_size = 1; BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    for (int i = 0; i < 2000; ++i)
      sqlite3_exec(db,
                   "INSERT INTO deployment(logger, location, first_minute, last_minute, files, classifier)"
                   " VALUES(1, 'a long enough location text to fill pages', 1, 2, 'f', 'c')",
                   nullptr, nullptr, nullptr);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(std::filesystem::exists(path + "-journal"));
  OpenResult r = OpenSurvey(path, OpenMode::ReadOnly);
  ASSERT_TRUE(r.survey) << r.message;
  EXPECT_EQ(ScalarText(r.survey->Handle(), "SELECT count(*) FROM deployment"), "0");
  EXPECT_EQ(ScalarText(r.survey->Handle(), "PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace zorvel::survey
