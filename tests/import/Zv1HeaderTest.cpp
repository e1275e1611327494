#include <gtest/gtest.h>

#include "core/Bytes.h"
#include "core/Header.h"
#include "core/TimeBase.h"
#include "import/LoggerFiles.h"
#include "import/Zv1Header.h"

namespace zorvel {
namespace {

std::vector<uint8_t> FirstFile512() {
  auto h = testing::LoggerHeader(4201, 2026, 7, 14, 21, 5);
  const Record m = testing::Minute();
  h.insert(h.end(), m.begin(), m.end());
  return h;
}

TEST(BuildZv1Start, MovesSettingsMarksAndMakesRecordZero) {
  const auto logger = FirstFile512();
  const DeploymentTexts texts{"51 30 N", "0.25W", "Wood", "near the pond", "+1"};
  const auto z = BuildZv1Start(logger.data(), logger.size(), texts);
  ASSERT_TRUE(z);
  ASSERT_FALSE(z->blank);
  const auto& b = z->block;
  EXPECT_EQ(z->startMn, *MinuteNumber(2026, 7, 14, 21, 5));
  EXPECT_EQ(z->idText, "4201");
  for (int i = 0; i < 64; ++i) EXPECT_EQ(b[64 + static_cast<size_t>(i)], 0x40 + i) << i;
  EXPECT_EQ(b[128], 0xFE);
  EXPECT_EQ(b[143], 0xFE);
  for (int i = 129; i < 143; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 0);
  for (int i = 144; i < 192; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 0);
  for (int i = 496; i < 512; ++i) EXPECT_EQ(b[static_cast<size_t>(i)], 0);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 1024, b.end()),
            std::vector<uint8_t>(logger.begin() + 496, logger.end()));
  EXPECT_EQ(Be32(&b[hdr::kFirstLoggedMin]), z->startMn);
  EXPECT_EQ(Be32(&b[hdr::kStoredFirstProcessMin]), z->startMn);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[hdr::kLatText]), 8), std::string("51 30 N\0", 8));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[hdr::kGMTText]), 2), "+1");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[hdr::kLocationText]), 4), "Wood");
}

TEST(BuildZv1Start, TextsAreCutToTheirFields) {
  const auto logger = FirstFile512();
  const DeploymentTexts texts{"1234567890123456", "", std::string(40, 'L'), std::string(50, 'n'), "+10:30"};
  const auto z = BuildZv1Start(logger.data(), logger.size(), texts);
  ASSERT_TRUE(z);
  EXPECT_EQ(z->block[hdr::kLatText + 11], '2');
  EXPECT_EQ(z->block[hdr::kLongText], 0) << "the latitude does not run into the longitude";
  EXPECT_EQ(z->block[hdr::kNotesText + 39], 'n');
  EXPECT_EQ(z->block[hdr::kGMTText + 2], '0');
  EXPECT_EQ(z->block[hdr::kLocationText + 31], 'L');
  EXPECT_EQ(z->block[315], 0) << "the location stops at its 32 characters";
}

TEST(BuildZv1Start, BlankAndShortHeaders) {
  std::vector<uint8_t> ff(512, 0xFF);
  auto z = BuildZv1Start(ff.data(), ff.size(), {});
  ASSERT_TRUE(z);
  EXPECT_TRUE(z->blank);
  std::vector<uint8_t> zeros(512, 0);
  EXPECT_TRUE(BuildZv1Start(zeros.data(), zeros.size(), {})->blank);
  zeros[300] = 7;  // one live byte anywhere makes it a header
  EXPECT_FALSE(BuildZv1Start(zeros.data(), zeros.size(), {})->blank);
  EXPECT_FALSE(BuildZv1Start(ff.data(), 511, {}));
}

TEST(BuildZv1Start, ImpossibleDateGivesMinuteZero) {
  auto logger = FirstFile512();
  logger[97] = 0x13;  // month 13
  const auto z = BuildZv1Start(logger.data(), logger.size(), {});
  ASSERT_TRUE(z);
  EXPECT_EQ(z->startMn, 0);
  EXPECT_EQ(Zv1FileName("", z->startMn, z->idText, 0, false), "1899 12 30 ZORVEL_4201 file0.ZV1");
}

TEST(Zv1FileName, PlaceCharactersDatesAndGaps) {
  const int32_t mn = *MinuteNumber(2026, 7, 4, 21, 5);
  EXPECT_EQ(Zv1FileName("Wood", mn, "0042", 0, false), "Wood 2026 07 04 ZORVEL_0042 file0.ZV1");
  EXPECT_EQ(Zv1FileName("  Big Wood", mn, "0042", 3, false), "Big Wood 2026 07 04 ZORVEL_0042 file3.ZV1");
  // Only blanks, digits, upper case and a … y survive: "z", "/", "_" and "~" are dropped.
  EXPECT_EQ(Zv1FileName("Zoo/z_y~9", mn, "123456", 1, false), "Zooy9 2026 07 04 ZORVEL_123456 file1.ZV1");
  EXPECT_EQ(Zv1FileName("", mn, "0042", 0, false), "2026 07 04 ZORVEL_0042 file0.ZV1");
  EXPECT_EQ(Zv1FileName("Big Wood", mn, "0042", 0, true), "Big_Wood_2026_07_04_ZORVEL_0042_file0.ZV1");
}

}  // namespace
}  // namespace zorvel
