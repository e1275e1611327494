// Passes across minute boundaries, and the small parsers the survey relies on.
#include <gtest/gtest.h>

#include "core/TimeBase.h"
#include "survey/FileScan.h"
#include "survey/PassJoin.h"
#include "survey/Survey.h"

namespace zorvel::survey {
namespace {

// A part from second s0 to s1 of minute m.
FilePassPart Part(int64_t m, double s0, double s1, double khz, const std::string& sp, int64_t calls,
                  int64_t confidence = 5) {
  FilePassPart p;
  p.pass.start = static_cast<double>(m) + s0 / 60;
  p.pass.end = static_cast<double>(m) + s1 / 60;
  p.pass.medianPeakKHz = khz;
  p.pass.species = sp;
  p.pass.calls = calls;
  p.pass.confidence = confidence;
  p.pass.buzzCalls = 1;
  p.file = "f" + std::to_string(m);
  return p;
}

TEST(PassJoin, APassAcrossMinuteBoundariesIsOnePass) {
  // One bat from 59.5 s of minute 100 to 0.5 s of minute 102, a second at another frequency
  // beside it that does not go on, and a third that comes back after a pause.
  const std::vector<JoinedPass> j = JoinMinutePasses({
      Part(100, 59.5, 60.0, 46, "CmnPip", 3, 7), Part(100, 59.6, 59.9, 55, "SopPip", 2),
      Part(101, 0.2, 59.8, 47, "CmnPip", 30, 9),
      Part(101, 0.3, 2.0, 56, "SopPip", 4),  // 0.4 s after the soprano's end: the same soprano
      Part(102, 0.3, 0.5, 45, "Unclass", 2), Part(102, 5.0, 6.0, 46, "CmnPip", 3),  // 5 s later: a new pass
  });
  ASSERT_EQ(j.size(), 3u);
  EXPECT_DOUBLE_EQ(j[0].start, 100 + 59.5 / 60);
  EXPECT_DOUBLE_EQ(j[0].end, 102 + 0.5 / 60);
  EXPECT_EQ(j[0].calls, 35);
  EXPECT_EQ(j[0].buzzCalls, 3);
  EXPECT_EQ(j[0].species, "CmnPip");  // most of its calls
  EXPECT_EQ(j[0].confidence, 9);      // the highest among its parts of that species
  EXPECT_EQ(j[0].medianPeakKHz, 47);  // of the part of that species with most calls
  EXPECT_EQ(j[0].file, "f100");
  EXPECT_EQ(j[1].species, "SopPip");
  EXPECT_EQ(j[1].calls, 6);
  EXPECT_DOUBLE_EQ(j[1].end, 101 + 2.0 / 60);
  EXPECT_DOUBLE_EQ(j[2].start, 102 + 5.0 / 60);
}

TEST(PassJoin, KeepsApartWhatTheGroupingKeepsApart) {
  // More than the pass gap (1 s) across the boundary, another frequency, or a minute between.
  EXPECT_EQ(JoinMinutePasses({Part(10, 58.5, 58.9, 46, "a", 2), Part(11, 0.2, 1, 46, "a", 2)}).size(), 2u);
  EXPECT_EQ(JoinMinutePasses({Part(10, 59.5, 59.9, 46, "a", 2), Part(11, 0.2, 1, 56, "a", 2)}).size(), 2u);
  EXPECT_EQ(JoinMinutePasses({Part(10, 59.5, 59.9, 46, "a", 2), Part(12, 0.2, 1, 46, "a", 2)}).size(), 2u);
  // Two passes of the next minute never continue the same one: the first that fits does.
  const auto j = JoinMinutePasses(
      {Part(10, 59.5, 59.9, 46, "a", 2), Part(11, 0.1, 1, 49, "b", 2), Part(11, 0.2, 1, 47, "c", 2)});
  ASSERT_EQ(j.size(), 2u);
  EXPECT_EQ(j[0].calls, 4);
  EXPECT_EQ(j[0].species, "a");
  EXPECT_EQ(j[1].species, "c");
  // A tie in calls goes to the earlier part's species.
  const auto tie = JoinMinutePasses({Part(10, 59.5, 59.9, 46, "x", 2), Part(11, 0.1, 1, 46, "y", 2)});
  ASSERT_EQ(tie.size(), 1u);
  EXPECT_EQ(tie[0].species, "x");
}

TEST(SurveyTexts, OffsetsNightsAndTimes) {
  EXPECT_EQ(ParseUtcOffsetMinutes("+1"), 60);
  EXPECT_EQ(ParseUtcOffsetMinutes(" -5"), -300);
  EXPECT_EQ(ParseUtcOffsetMinutes("5.5"), 330);
  EXPECT_EQ(ParseUtcOffsetMinutes("0"), 0);
  EXPECT_FALSE(ParseUtcOffsetMinutes(""));
  EXPECT_FALSE(ParseUtcOffsetMinutes("+"));
  EXPECT_FALSE(ParseUtcOffsetMinutes("UTC"));
  EXPECT_FALSE(ParseUtcOffsetMinutes("15"));

  const int32_t noon = *MinuteNumber(2026, 6, 21, 12, 0);
  EXPECT_EQ(DayText(NightDayOfMinute(noon)), "2026-06-21");
  EXPECT_EQ(DayText(NightDayOfMinute(noon - 0.001)), "2026-06-20");
  EXPECT_EQ(DayText(NightDayOfMinute(noon + 1439.9)), "2026-06-21");  // 11:59 next morning

  EXPECT_EQ(MinuteTimeText(noon), "2026-06-21 12:00:00");
  EXPECT_EQ(MinuteTimeText(noon + 59.0 / 60), "2026-06-21 12:00:59");
  EXPECT_EQ(MinuteTimeText(noon + 1439 + 59.999 / 60), "2026-06-22 11:59:59");
  EXPECT_EQ(MinuteTimeText(noon + 30 + 0.5), "2026-06-21 12:30:30");
}

}  // namespace
}  // namespace zorvel::survey
