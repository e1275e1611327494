#include <gtest/gtest.h>

#include "core/TimeBase.h"
#include "display/TimeMath.h"

namespace zorvel {
namespace {

TEST(TimeMath, AdditionCarriesOnlyAboveOneMinute) {
  EXPECT_EQ(AddTime({10, 6'000'000}, {0, 6'000'000}), (TRecTime{10, 12'000'000}));
  EXPECT_EQ(AddTime({10, 6'000'000}, {0, 6'000'001}), (TRecTime{11, 1}));
  EXPECT_EQ(AddTime({10, 11'999'999}, {2, 11'999'999}), (TRecTime{13, 11'999'998}));
  // Negative parts count as nothing.
  EXPECT_EQ(AddTime({10, -5}, {-3, 7}), (TRecTime{10, 7}));
}

TEST(TimeMath, SubtractionBorrowsMinutes) {
  EXPECT_EQ(SubTime({10, 500}, {3, 200}), (TRecTime{7, 300}));
  EXPECT_EQ(SubTime({10, 100}, {3, 200}), (TRecTime{6, 11'999'900}));
  // An operand with a tick field above one minute is normalised first.
  EXPECT_EQ(SubTime({10, 12'000'100}, {3, 200}), (TRecTime{7, 11'999'900}));
  EXPECT_EQ(SubTime({10, 0}, {3, 12'000'000}), (TRecTime{6, 0}));
  EXPECT_EQ(SubTime({10, 0}, {0, 0}), (TRecTime{10, 0}));
}

TEST(TimeMath, AddTicksCarriesBothWays) {
  EXPECT_EQ(AddTicks({5, 11'999'000}, 2000), (TRecTime{6, 1000}));
  EXPECT_EQ(AddTicks({5, 1000}, -2000), (TRecTime{4, 11'999'000}));
  EXPECT_EQ(AddTicks({5, 0}, 36'000'000), (TRecTime{8, 0}));
}

TEST(TimeMath, Texts) {
  const int32_t mn = *MinuteNumber(2026, 12, 8, 9, 5);
  EXPECT_EQ(ScreenTimeText({mn, 17 * 200'000 + 5}), "2026m12d8 9:5 17s");
  EXPECT_EQ(GoToText({mn, 17 * 200'000 + 1}), "08/12/2026 09:05:17.000005");
  EXPECT_EQ(GoToText({mn, 17 * 200'000 + 20'000}, true), "08/12/2026 09:05:17.1");
  EXPECT_EQ(GoToText({mn, 0}, true, true), "'08/12/2026 09:05:00.0");
  EXPECT_EQ(MinuteAloneText(mn), "8/12/2026 09:05");
  EXPECT_EQ(MinuteAloneText(*MinuteNumber(2000, 1, 1, 0, 0)), "1/1/2000 00:00");
  EXPECT_EQ(TranslateMinuteNumber("52597440"), "1/1/2000 00:00");
  EXPECT_EQ(TranslateMinuteNumber("52597440x"), "");
  EXPECT_EQ(TranslateMinuteNumber(""), "");
}

TEST(TimeMath, GoToTextRoundTripsAndRejectsNonDates) {
  const TRecTime t{*MinuteNumber(2026, 6, 21, 21, 1), 2 * 200'000 + 2'000};
  EXPECT_EQ(ParseGoToText(GoToText(t)), t);
  EXPECT_EQ(ParseGoToText("'" + GoToText(t, true)), t);
  EXPECT_EQ(ParseGoToText("21/06/2026  21:01"), (TRecTime{t.Mn, 0}));
  EXPECT_FALSE(ParseGoToText("31/02/2026 10:00:00"));
  EXPECT_FALSE(ParseGoToText("21/06/2026 25:00:00"));
  EXPECT_FALSE(ParseGoToText("yesterday at dusk"));
  EXPECT_FALSE(ParseGoToText("21/06/2026 21:01:xx"));
  EXPECT_FALSE(ParseGoToText(""));
}

}  // namespace
}  // namespace zorvel
