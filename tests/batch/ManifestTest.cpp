// The manifest: what is accepted (a UTF-8 mark, CR LF, quoted texts, extra columns, relative
// inputs) and every refusal, named by line number and reason, before any work starts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "batch/Csv.h"
#include "batch/Manifest.h"
#include "support/TempDir.h"

namespace zorvel::batch {
namespace {

namespace fs = std::filesystem;
using zorvel::testing::TempDir;

class ManifestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir / "cardA");
    std::ofstream(dir / "cardA" / "0BAT000.NXQ") << "x";
    for (const char* r : {"recs", "r5", "r6", "r7", "r8"}) fs::create_directories(dir / r);
    std::ofstream(dir / "night.ZV1") << "x";
    std::ofstream(dir / "night.ZV2") << "x";
  }
  Manifest Parse(const std::string& text) { return ParseManifest(text, tmp / "", "m.csv"); }
  TempDir tmp;
  fs::path dir = fs::path(tmp / "");
};

TEST(Csv, QuotesLineEndsAndTheMarkAtTheStart) {
  const CsvParse p = ParseCsv(
      "\xEF\xBB\xBF"
      "a,b\r\n\"x, y\",\"say \"\"hi\"\"\"\r\n\r\n\"two\nlines\",z\n");
  ASSERT_TRUE(p.error.empty());
  ASSERT_EQ(p.records.size(), 3u);
  EXPECT_EQ(p.records[0].fields, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(p.records[1].fields, (std::vector<std::string>{"x, y", "say \"hi\""}));
  EXPECT_EQ(p.records[2].line, 4);  // the blank line 3 is passed over but counted
  EXPECT_EQ(p.records[2].fields[0], "two\nlines");
  const CsvParse again = ParseCsv(CsvLine(p.records[1].fields) + CsvLine(p.records[2].fields));
  EXPECT_EQ(again.records[0].fields, p.records[1].fields);
  EXPECT_EQ(again.records[1].fields, p.records[2].fields);
}

TEST(Csv, AnUnclosedQuoteNamesTheLineItOpensOn) {
  const CsvParse p = ParseCsv("a,b\n1,2\n\"3,4\n5,6\n");
  EXPECT_FALSE(p.error.empty());
  EXPECT_EQ(p.errorLine, 3);
}

TEST_F(ManifestTest, AcceptsEveryKindOfInputWithWindowsLineEndsAndExtraColumns) {
  const Manifest m = Parse(
      "\xEF\xBB\xBFnotes,input,site,lat,long,utc,time_expansion,classifier\r\n"
      "first,cardA,\"Pond, east\",51 30.5 N,0 7.2 W,+1,,ZorvelEU1\r\n"
      ",recs,Wood,-34.5,18.4,+2,10,\r\n"
      ",night.ZV1,,,,,,British0\r\n"
      "," +
      (dir / "night.ZV2").string() + ",,,,,,\r\n");
  ASSERT_TRUE(m.Ok()) << m.errors.front();
  ASSERT_EQ(m.rows.size(), 4u);
  EXPECT_EQ(m.rows[0].kind, InputKind::SdCard);
  EXPECT_EQ(m.rows[0].site, "Pond, east");
  EXPECT_EQ(m.rows[0].lat, "51 30.5 N");
  EXPECT_EQ(m.rows[0].classifier, "ZorvelEU1");
  EXPECT_EQ(m.rows[0].path, (dir / "cardA").string());
  EXPECT_EQ(m.rows[1].kind, InputKind::Recordings);
  EXPECT_EQ(m.rows[1].timeExpansion, "10");
  EXPECT_EQ(m.rows[2].kind, InputKind::Zv1);
  EXPECT_EQ(m.rows[3].kind, InputKind::Zv2);
  EXPECT_EQ(m.rows[3].line, 5);
}

TEST_F(ManifestTest, EveryBadRowIsNamedByItsLineAndNothingIsKept) {
  const Manifest m = Parse(
      "input,site,lat,long,utc,time_expansion,classifier\n"
      "cardA,A,51.5,0.1,0,,\n"
      "missing,B,,,,,\n"
      "./cardA/../cardA,C,,,,,\n"
      "r5,D,,,,,Bogus\n"
      "r6,E,95.0,51,,,\n"
      "r7,F,,0.1,noon,,\n"
      "r8,G,,,,1,British0\n"
      "night.ZV1,H,,,,,\n"
      "night.ZV2,,,,,,ZorvelEU1\n");
  EXPECT_TRUE(m.rows.empty());
  const std::vector<std::string> want = {
      "m.csv:3: no such file or folder: missing",
      "m.csv:4: the same input as line 2",
      "m.csv:5: unknown classifier (British0 or ZorvelEU1): Bogus",
      "m.csv:6: lat: 95.0 (beyond 90 degrees)",
      "m.csv:6: long: 51 (does not read as a position; write e.g. 51.0 or 51 30 N)",
      "m.csv:7: utc: give the offset in hours, e.g. +1, -5 or +5:30: noon",
      "m.csv:8: time_expansion: a whole number from 2 to 100: 1",
      "m.csv:9: site, lat, long, utc and time_expansion come from the header of a ZV1 or ZV2 input; leave "
      "them empty",
      "m.csv:10: a ZV2 input keeps the classifier it was made with; leave classifier empty",
  };
  ASSERT_EQ(m.errors.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i)
    EXPECT_EQ(m.errors[i].substr(0, want[i].size()), want[i]) << m.errors[i];
}

TEST_F(ManifestTest, TheSameInputWithAnotherClassifierIsNoDuplicate) {
  const Manifest m = Parse(
      "input,site,lat,long,utc,time_expansion,classifier\n"
      "cardA,A,,,,,British0\n"
      "cardA,A,,,,,ZorvelEU1\n");
  EXPECT_TRUE(m.Ok());
  EXPECT_EQ(m.rows.size(), 2u);
}

TEST_F(ManifestTest, AHeadingWithoutTheColumnsOrWithoutRowsIsRefused) {
  const Manifest noColumn = Parse("input,site,lat,long,utc,classifier\ncardA,,,,,\n");
  ASSERT_EQ(noColumn.errors.size(), 1u);
  EXPECT_EQ(noColumn.errors[0], "m.csv:1: the heading row lacks the column time_expansion");
  EXPECT_FALSE(Parse("input,site,lat,long,utc,time_expansion,classifier\r\n").Ok());
  EXPECT_FALSE(Parse("").Ok());
}

TEST_F(ManifestTest, FingerprintFollowsTheBytesAndInputBytesCountsTheFolder) {
  std::ofstream(dir / "cardA" / "0BAT001.NXQ") << "abcdef";
  EXPECT_EQ(InputBytes((dir / "cardA").string()), 7);
  const std::string before = InputFingerprint((dir / "cardA").string());
  EXPECT_EQ(InputFingerprint((dir / "cardA").string()), before);
  std::ofstream(dir / "cardA" / "0BAT001.NXQ", std::ios::app) << "g";
  EXPECT_NE(InputFingerprint((dir / "cardA").string()), before);
}

}  // namespace
}  // namespace zorvel::batch
