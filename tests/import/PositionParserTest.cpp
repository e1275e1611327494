#include <gtest/gtest.h>

#include "import/PositionParser.h"

namespace zorvel {
namespace {

struct Case {
  const char* text;
  bool latitude;
  const char* value;
  const char* errors;
};

void Check(const Case& c) {
  const tParseReport r = ParsePosition(c.text, c.latitude);
  EXPECT_EQ(r.Value, c.value) << '"' << c.text << '"';
  EXPECT_EQ(r.Errors, c.errors) << '"' << c.text << '"';
}

TEST(ParsePosition, AcceptedForms) {
  const Case cases[] = {
      {"51.5", true, "51.50000", ""},
      {"51.5S", true, "-51.50000", ""},
      {"51,5s", true, "-51.50000", ""},
      {"-0.25", false, "-0.25000", ""},
      {"0.25W", false, "-0.25000", ""},
      {"51 30 N", true, "51.50000", ""},
      {"0513045", true, "51.51250", ""},
      {"51 30 15.5", true, "51.50431", ""},
      {"0d30m15sW", false, "-0.50417", ""},
      {"51d30m15s", true, "-51.50417", ""},  // a trailing seconds label reads as south
      {"51:30:15", true, "51.50417", ""},
      {"51 30.5", true, "51.50833", ""},
      {"  51.5  ", true, "51.50000", ""},
      {"179 59 59", false, "179.99972", ""},
  };
  for (const auto& c : cases) Check(c);
}

TEST(ParsePosition, RejectedFormsSayWhy) {
  const Case cases[] = {
      {"513045", true, "", "Deg too big"},
      {"51 75", true, "", "Min too big"},
      {"51 30 75", true, "", "Sec too big or long"},
      {"51.5E", true, "", "Lat cannot be E"},
      {"2 W", true, "", "Lat cannot be W"},
      {"51.5N", false, "", "Long cannot be N"},
      {"1 2 3 4 5", true, "", "too many numbers"},
      {"51 30 15d", true, "", "deg label misplaced"},
      {"51s30", false, "", "sec label misplaced"},
      {"51m30", true, "", "min label misplaced"},
      {"51 30d", true, "", "deg label misplaced"},
      {"51.5 30", true, "", "too many numbers"},
      {"51 30m.5", true, "", "Min type conflict"},
      {"51.d5", true, "", "Degree type conflict"},
      {"51.5.", true, "", "too many dec separators"},
      {"51 30 15 5", true, "", "Sec decimal?"},
      {"d51", true, "", "misplaced label"},
      {"180.5", false, "", "Value > 180deg"},
  };
  for (const auto& c : cases) Check(c);
}

TEST(ParsePosition, MinusAgainstAHemisphereKeepsTheUnsignedValue) {
  Check({"-51.5N", true, "51.50000", "N/- conflict"});
  Check({"-0.25E", false, "0.25000", "E/- conflict"});
  Check({"-51.5S", true, "-51.50000", ""});
}

TEST(ParsePosition, ShortOrDigitlessTextsGiveNothingOrALabelError) {
  Check({"2W", true, "", ""});
  Check({"5", true, "", ""});
  Check({"", false, "", ""});
  Check({"M", true, "", "misplaced label"});
  Check({"5d", true, "", "misplaced label"});
  Check({"abc", true, "", ""});
  Check({"   ", true, "", ""});
  Check({" - ", false, "", ""});
}

// A position given whole must stand for a place: what the as-typed parser leaves open (a text
// with no number yet, one or two characters) or lets through (latitudes up to 180) is refused.
TEST(PositionTextProblem, WholeTextsMustBePlacesOnTheGlobe) {
  const struct {
    const char* text;
    bool latitude;
    const char* problem;
  } cases[] = {
      {"", true, ""},
      {"   ", false, ""},
      {"51.5", true, ""},
      {"51 30 N", true, ""},
      {"-90", true, ""},
      {"90.00000", true, ""},
      {"0.25W", false, ""},
      {"179 59 59", false, ""},
      {"95.0", false, ""},
      {"foo", true, "does not read as a position; write e.g. 51.0 or 51 30 N"},
      {"52", true, "does not read as a position; write e.g. 51.0 or 51 30 N"},
      {"5", false, "does not read as a position; write e.g. 51.0 or 51 30 N"},
      {" - ", false, "does not read as a position; write e.g. 51.0 or 51 30 N"},
      {"95.0", true, "beyond 90 degrees"},
      {"-90.5", true, "beyond 90 degrees"},
      {"91 S", true, "beyond 90 degrees"},
      {"51.5E", true, "Lat cannot be E"},
      {"181", false, "Deg too big"},
      {"-51.5N", true, "N/- conflict"},
      {"M", true, "misplaced label"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PositionTextProblem(c.text, c.latitude), c.problem) << '"' << c.text << "\" " << c.latitude;
}

}  // namespace
}  // namespace zorvel
