#include <gtest/gtest.h>

#include "core/TimeBase.h"

namespace zorvel {
namespace {

TEST(MinuteNumbers, EpochAndKnownDates) {
  EXPECT_EQ(*MinuteNumber(1899, 12, 30, 0, 0), 0);
  EXPECT_EQ(*MinuteNumber(2000, 1, 1, 0, 0), 52'597'440);
  EXPECT_EQ(*MinuteNumber(2000, 1, 1, 23, 59), 52'597'440 + 1439);
  EXPECT_FALSE(MinuteNumber(2023, 2, 29, 0, 0));
  EXPECT_TRUE(MinuteNumber(2024, 2, 29, 0, 0));
  EXPECT_FALSE(MinuteNumber(2024, 13, 1, 0, 0));
  EXPECT_FALSE(MinuteNumber(2024, 1, 1, 24, 0));
}

TEST(MinuteNumbers, RoundTripThroughCalendar) {
  for (int32_t mn : {0, 1, 1439, 1440, 52'597'440, 60'000'000, 65'000'123}) {
    const CivilDateTime t = DateTimeOfMinute(mn);
    EXPECT_EQ(*MinuteNumber(t.year, t.month, t.day, t.hour, t.minute), mn);
  }
}

TEST(Bcd, DateTimesAndImpossibleDates) {
  const TRecTime t = TimeFromBcd(0x26, 0x12, 0x08, 0x21, 0x30, 0x15);
  EXPECT_EQ(t.Mn, *MinuteNumber(2026, 12, 8, 21, 30));
  EXPECT_EQ(t.FiveMuSec, 15 * 200'000);
  EXPECT_EQ(TimeFromBcd(0x26, 0x02, 0x30, 0, 0, 0), (TRecTime{0, 0}));
  EXPECT_EQ(TimeFromBcd(0x2A, 0x01, 0x01, 0, 0, 0), (TRecTime{0, 0}));  // not BCD
}

TEST(MinuteTexts, Forms) {
  const int32_t mn = *MinuteNumber(2026, 3, 7, 9, 5);
  EXPECT_EQ(MinuteDateTimeText(mn), "2026/3/7 9:5");
  EXPECT_EQ(MinuteFileDateText(mn), "2026 03 07");
  EXPECT_EQ(DayManufactureText(mn / 1440), "7 3 2026");
  EXPECT_EQ(ShortDateText(mn), "7/3/2026");
  EXPECT_EQ(ClockText(mn), "09:05");
}

TEST(MinuteTexts, Durations) {
  EXPECT_EQ(MinuteDurationText(0), "");
  EXPECT_EQ(MinuteDurationText(60), "1h ");
  EXPECT_EQ(MinuteDurationText(1441), "1d 1m");
  EXPECT_EQ(MinuteDurationText(525'600), "1year ");
  EXPECT_EQ(MinuteDurationText(525'600 + 1440 + 61), "1year 1d 1h 1m");
}

}  // namespace
}  // namespace zorvel
