#include <gtest/gtest.h>

#include "cli/EditArgs.h"

namespace zorvel::cli {
namespace {

TEST(EditArgs, AcceptedEditsActAsTypedAndTheFirstRefusalStopsWithItsMessage) {
  FilterSettings f;
  std::string message;
  ASSERT_TRUE(ApplyEditArgs({"MinOctKHZedit=20", "SeqEdit=fd", "HourOfDayStartHrEdit=21", "MaxOctKHZedit="},
                            f, &message));
  EXPECT_EQ(f.ranges.Value(RangeEdit::MinOctKHZedit), 20);
  EXPECT_EQ(f.sequence.Seq, "FD");
  EXPECT_EQ(f.minutes.Text(MinuteEdit::HourOfDayStartHrEdit), "21");
  const struct {
    const char* edit;
    const char* message;
  } refused[] = {
      {"SeqEdit=((((",
       "SeqEdit: '((((' is not a sequence: at most 5 of the feature letters F, R, D, U, C, M and Q"},
      {"Seq2Edit=FDUCMQ",
       "Seq2Edit: 'FDUCMQ' is not a sequence: at most 5 of the feature letters F, R, D, U, C, M and Q"},
      {"MinOctKHZedit=2O", "MinOctKHZedit: '2O' is not a valid integer value"},
      {"HourOfDayStartHrEdit=24", "HourOfDayStartHrEdit: Hours must in the range 0 to 23"},
      {"NoSuchEdit=1", "--edit takes NAME=TEXT with the name of a filter edit, such as MinOctKHZedit=20"},
      {"SeqEdit", "--edit takes NAME=TEXT with the name of a filter edit, such as MinOctKHZedit=20"},
  };
  for (const auto& r : refused) {
    EXPECT_FALSE(ApplyEditArgs({"MinOctKHZedit=30", r.edit, "MinOctKHZedit=40"}, f, &message)) << r.edit;
    EXPECT_EQ(message, r.message);
    EXPECT_EQ(f.ranges.Value(RangeEdit::MinOctKHZedit), 30) << "edits after the refused one are not applied";
  }
  EXPECT_EQ(f.sequence.Seq, "FD");
}

}  // namespace
}  // namespace zorvel::cli
