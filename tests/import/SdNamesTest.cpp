#include <gtest/gtest.h>

#include <fstream>

#include "import/SdNames.h"
#include "support/TempDir.h"

namespace zorvel {
namespace {

TEST(NextSdFileName, NumberedSeries) {
  EXPECT_EQ(NextSdFileName(1, 0, "0BAT000.NXQ", 1), "0BAT001.NXQ");
  EXPECT_EQ(NextSdFileName(1, 0, "0BAT000.NXQ", 42), "0BAT042.NXQ");
  EXPECT_EQ(NextSdFileName(1, 12, "12BAT000.NXQ", 999), "12BAT999.NXQ");
  EXPECT_EQ(NextSdFileName(1, 0, "0BAT000.NXQ", 1000), "0BATxxxx.NXQ");
}

TEST(NextSdFileName, LegacySeries) {
  EXPECT_EQ(NextSdFileName(2, 0, "ZORVEL0.NXQ", 1), "ZORVEL1.NXQ");
  EXPECT_EQ(NextSdFileName(2, 0, "ZORVEL0.NXQ", 10), "ZORVEL10.NXQ");
  EXPECT_EQ(NextSdFileName(2, 1, "1BAT000.NXQ", 1), "0ORVEL01.NXQ");
  EXPECT_EQ(NextSdFileName(2, 9, "9BAT000.NXQ", 3), "8ORVEL03.NXQ");
  EXPECT_EQ(NextSdFileName(2, 10, "ABAT000.NXQ", 1), "xxxx.NXQ");
}

TEST(NextSeriesName, BothSchemes) {
  EXPECT_EQ(NextSeriesName(1, 1), "1BAT000.NXQ");
  EXPECT_EQ(NextSeriesName(1, 10), "10BAT000.NXQ");
  EXPECT_EQ(NextSeriesName(2, 1), "1BAT000.NXQ");
  EXPECT_EQ(NextSeriesName(2, 10), "ABAT000.NXQ");
  EXPECT_EQ(NextSeriesName(2, 35), "ZBAT000.NXQ");
  EXPECT_EQ(NextSeriesName(2, 91), "OVERFLOW.NXQ");
}

TEST(FindFirstSdFile, PrefersNumberedSeriesInCharacterOrder) {
  testing::TempDir dir;
  EXPECT_FALSE(FindFirstSdFile(dir.Path().string()));
  std::ofstream(dir / "ZORVEL0.NXQ") << "x";
  auto f = FindFirstSdFile(dir.Path().string());
  ASSERT_TRUE(f);
  EXPECT_EQ(f->scheme, 2);
  EXPECT_EQ(f->series, 0);
  std::ofstream(dir / "CBAT000.NXQ") << "x";
  std::ofstream(dir / "3BAT000.NXQ") << "x";
  f = FindFirstSdFile(dir.Path().string());
  ASSERT_TRUE(f);
  EXPECT_EQ(f->scheme, 1);
  EXPECT_EQ(f->series, 3);
  EXPECT_EQ(f->name, "3BAT000.NXQ");
  std::filesystem::remove(dir / "3BAT000.NXQ");
  EXPECT_EQ(FindFirstSdFile(dir.Path().string())->series, 12);
}

TEST(FindFirstSdFile, IgnoresFoldersAndOtherNames) {
  testing::TempDir dir;
  std::filesystem::create_directory(dir / "0BAT000.NXQ");
  std::ofstream(dir / "0BAT001.NXQ") << "x";
  EXPECT_FALSE(FindFirstSdFile(dir.Path().string()));
}

}  // namespace
}  // namespace zorvel
