#include <gtest/gtest.h>

#include "cli/TimeArg.h"
#include "core/TimeBase.h"

namespace zorvel::cli {
namespace {

TEST(TimeArg, MomentsAndMinuteNumbers) {
  const int32_t mn = *MinuteNumber(2026, 6, 1, 18, 0);
  EXPECT_EQ(ParseMomentArg("2026-06-01 18:00"), (TRecTime{mn, 0}));
  EXPECT_EQ(ParseMomentArg("2026-06-01 18:00:01.5"), (TRecTime{mn, 300'000}));
  EXPECT_EQ(ParseMomentArg("66491640"), (TRecTime{66'491'640, 0}));
  // Seconds a hair below 60 stay in their minute (they used to round to the next minute).
  EXPECT_EQ(ParseMomentArg("2026-06-01 18:00:59.9999999"), (TRecTime{mn, kTicksPerMinute - 1}));
  for (const char* bad : {"", "0", "-5", "2026-06-01", "2026-06-01 18:00:60", "2026-06-01 18:00:5x",
                          "2026-02-30 10:00", "2026-06-01 18:00 ", "12abc"})
    EXPECT_FALSE(ParseMomentArg(bad)) << bad;
}

}  // namespace
}  // namespace zorvel::cli
