// GUANO texts as the standard writes them and as real recorders write them, and every source of
// a recording's start time.
#include <gtest/gtest.h>

#include "recordings/Guano.h"
#include "recordings/Messages.h"
#include "recordings/RecordingTime.h"

namespace zorvel::rec {
namespace {

TEST(Guano, ConformingAndNonConformingTexts) {
  // Two spaces after colons and CR LF line ends (a phone detector); no space at all (a passive
  // recorder); namespaced keys kept whole.
  const Guano a = ParseGuano(
      "GUANO|Version:  1.0\r\nLength: 6983.00\r\nLoc Position: 50.7179417 -1.7611083\r\nMake: Wildlife Acoustics\r\n"
      "Serial: \r\nSpecies Manual ID: PIPPIP\r\nTimestamp:  2022-08-15 21:34:14+0100\r\nWA|Echo Meter|Auto ID: PIPPIP\r\n");
  ASSERT_TRUE(a.ok) << a.error;
  EXPECT_EQ(a.version, "1.0");
  EXPECT_EQ(*a.Get("Make"), "Wildlife Acoustics");
  EXPECT_EQ(*a.Get("Serial"), "");
  EXPECT_EQ(*a.Get("Timestamp"), "2022-08-15 21:34:14+0100");
  EXPECT_EQ(*a.Get("WA|Echo Meter|Auto ID"), "PIPPIP");
  EXPECT_EQ(a.Get("Note"), nullptr);
  // Length in milliseconds (6983 for a 7-second file) and in seconds.
  EXPECT_NEAR(*GuanoLengthSeconds(a, 6.98), 6.983, 1e-9);
  const Guano b = ParseGuano("GUANO|Version:1.0\nMake:Open Acoustic Devices\nLength:5.0\nLoc Position:51.5,-0.12\n");
  ASSERT_TRUE(b.ok);
  EXPECT_EQ(*b.Get("Make"), "Open Acoustic Devices");
  EXPECT_NEAR(*GuanoLengthSeconds(b, 5.0), 5.0, 1e-9);
  const auto pos = GuanoPosition(a);
  ASSERT_TRUE(pos);
  EXPECT_NEAR(pos->first, 50.7179417, 1e-9);
  EXPECT_NEAR(pos->second, -1.7611083, 1e-9);
  EXPECT_NEAR(GuanoPosition(b)->second, -0.12, 1e-9);
  // Written and read back.
  const Guano c = ParseGuano(WriteGuano({{"Make", "Zorvel"}, {"Original Filename", "a b.wav"}}));
  ASSERT_TRUE(c.ok);
  EXPECT_EQ(*c.Get("Original Filename"), "a b.wav");
}

TEST(Guano, CorruptTextsAreRefused) {
  EXPECT_EQ(ParseGuano("Make: x\nModel: y").error, msg::rec::kGuanoNoVersion);
  EXPECT_EQ(ParseGuano("").error, msg::rec::kGuanoNoVersion);
  EXPECT_EQ(ParseGuano("GUANO|Version:1.0\nNote: caf\xe9").error, msg::rec::kGuanoNotUtf8);
  EXPECT_EQ(ParseGuano("GUANO|Version:1.0\nNote: \xe2\x82").error, msg::rec::kGuanoNotUtf8);
  EXPECT_TRUE(ParseGuano("GUANO|Version:1.0\nNote: caf\xc3\xa9 \xe2\x82\xac").ok);
  EXPECT_FALSE(GuanoPosition(ParseGuano("GUANO|Version:1.0\nLoc Position: 95 10")));
}

TEST(RecordingTime, TimestampForms) {
  struct Case {
    const char* text;
    int y, mo, d, h, mi;
    double s;
    std::optional<int> offset;
  };
  const Case cases[] = {
      {"2022-08-15 21:34:14+0100", 2022, 8, 15, 21, 34, 14, 60},
      {"  2022-08-15 21:34:14+0100", 2022, 8, 15, 21, 34, 14, 60},
      {"2024-09-03T20:26:15+01:00", 2024, 9, 3, 20, 26, 15, 60},
      {"2019-06-01T22:10:00.125Z", 2019, 6, 1, 22, 10, 0.125, 0},
      {"2019-06-01 22:10:00-05", 2019, 6, 1, 22, 10, 0, -300},
      {"2019-06-01T22:10:00+05:30", 2019, 6, 1, 22, 10, 0, 330},
      {"2019-06-01 22:10:00", 2019, 6, 1, 22, 10, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto t = ParseTimestamp(c.text);
    ASSERT_TRUE(t);
    EXPECT_EQ(std::tie(t->year, t->month, t->day, t->hour, t->minute), std::tie(c.y, c.mo, c.d, c.h, c.mi));
    EXPECT_DOUBLE_EQ(t->second, c.s);
    EXPECT_EQ(t->utcOffsetMinutes, c.offset);
  }
  for (const char* bad : {"2019-02-30 22:10:00", "2019-06-01 25:10:00", "yesterday", "2019-06-01"})
    EXPECT_FALSE(ParseTimestamp(bad)) << bad;
}

TEST(RecordingTime, CommentBextAndFileName) {
  const auto c = ParseRecorderComment(
      "Recorded at 20:26:15 03/09/2024 (UTC+1) by AudioMoth 24E144055E080032 at medium gain");
  ASSERT_TRUE(c);
  EXPECT_EQ(std::tie(c->year, c->month, c->day, c->hour, c->minute), std::tuple(2024, 9, 3, 20, 26));
  EXPECT_EQ(c->utcOffsetMinutes, 60);
  EXPECT_EQ(ParseRecorderComment("Recorded at 01:02:03 04/05/2020 (UTC)")->utcOffsetMinutes, 0);
  EXPECT_FALSE(ParseRecorderComment("Recorded at 01:02:03 31/02/2020 (UTC)"));

  const auto b = ParseBextTime("2021-06-15", "22:01:30");
  ASSERT_TRUE(b);
  EXPECT_EQ(std::tie(b->day, b->hour, b->second), std::tuple(15, 22, 30.0));
  EXPECT_TRUE(ParseBextTime("2021:06:15", "22-01-30"));
  EXPECT_FALSE(ParseBextTime("", ""));

  for (const char* name : {"20160630_034535.wav", "Car370293-2016-Pass1-Z3-US-16611-0_20160630_034535_500.wav",
                           "PIPPIP_20160630-034535.WAV", "20160630T034535"}) {
    SCOPED_TRACE(name);
    const auto f = ParseFileNameTime(name);
    ASSERT_TRUE(f);
    EXPECT_EQ(std::tie(f->year, f->month, f->day, f->hour, f->minute, f->second),
              std::tuple(2016, 6, 30, 3, 45, 35.0));
  }
  // Longer digit runs, impossible dates and bare dates are not times.
  for (const char* name : {"120160630_034535.wav", "20161330_034535.wav", "20160630.wav", "rec_001.wav"})
    EXPECT_FALSE(ParseFileNameTime(name)) << name;
}

TEST(RecordingTime, TypedUtcOffsets) {
  EXPECT_EQ(ParseUtcOffset("+1"), 60);
  EXPECT_EQ(ParseUtcOffset("1"), 60);
  EXPECT_EQ(ParseUtcOffset("-5"), -300);
  EXPECT_EQ(ParseUtcOffset("UTC+5:30"), 330);
  EXPECT_EQ(ParseUtcOffset(" 0 "), 0);
  for (const char* bad : {"", "+15", "east", "+1x", "1:75"}) EXPECT_FALSE(ParseUtcOffset(bad)) << bad;
}

TEST(RecordingTime, SecondsRoundTripAcrossMidnightAndLeapDays) {
  for (const char* text : {"2024-02-29 23:59:59.5", "2000-01-01 00:00:00", "2016-06-30 03:45:35.25"}) {
    const auto t = ParseTimestamp(text);
    ASSERT_TRUE(t) << text;
    const StampedTime back = FromSecondsSinceEpoch(SecondsSinceEpoch(*t));
    EXPECT_EQ(std::tie(back.year, back.month, back.day, back.hour, back.minute),
              std::tie(t->year, t->month, t->day, t->hour, t->minute));
    EXPECT_NEAR(back.second, t->second, 1e-6);
  }
  // 2000-01-01 00:00 is minute 52,597,440.
  EXPECT_DOUBLE_EQ(SecondsSinceEpoch(*ParseTimestamp("2000-01-01 00:00:00")), 52'597'440.0 * 60);
}

}  // namespace
}  // namespace zorvel::rec
