#include <gtest/gtest.h>

#include <set>

#include "core/TimeBase.h"
#include "export/ExportText.h"

namespace zorvel {
namespace {

TEST(ExportText, DateTimeJulianDayAndDuration) {
  EXPECT_EQ(ExportDateTimeText(*MinuteNumber(2021, 3, 5, 21, 7)), "5/3/2021 21:07");
  EXPECT_EQ(ExportDateTimeText(*MinuteNumber(2021, 3, 6, 0, 0)), "6/3/2021 00:00");
  EXPECT_EQ(JulianDay(0), 2415018);
  EXPECT_EQ(JulianDay(1439), 2415018);
  EXPECT_EQ(JulianDay(1440), 2415019);
  EXPECT_EQ(MinuteDurationText(1500), "1d 1h ");
}

TEST(ExportText, RowTimeColumnsByFormatAndUnit) {
  const int32_t mn = *MinuteNumber(2021, 3, 5, 21, 59);
  ExportOptions o;
  EXPECT_EQ(RowTimeColumns(mn, o), "5/3/2021 21:59\t");
  o.timeFormat = ExportTimeFormat::Unit;
  EXPECT_EQ(RowTimeColumns(mn, o), std::to_string(mn) + "\t");
  o.dateUnit = ExportDateUnit::JulianDay;
  EXPECT_EQ(RowTimeColumns(mn, o), std::to_string(mn / 1440 + 2415018) + "\t");
  o.timeFormat = ExportTimeFormat::Both;
  EXPECT_EQ(RowTimeColumns(mn, o), "5/3/2021 21:59\t" + std::to_string(mn / 1440 + 2415018) + "\t");
  o.timeFormat = ExportTimeFormat::None;
  EXPECT_EQ(RowTimeColumns(mn, o), "");
}

TEST(ExportText, ColumnHeadings) {
  ExportOptions o;
  o.kind = ExportKind::CallCounts;
  EXPECT_EQ(ColumnHeading(o), "File\tChunkEnd\tNwaves\tnCalls\tMinsOn\tDuration");
  o.kind = ExportKind::DetEnv;
  o.timeFormat = ExportTimeFormat::Unit;
  o.dateUnit = ExportDateUnit::JulianDay;
  EXPECT_EQ(ColumnHeading(o), "File\tJulianDay\tNwaves\tNcalls\tDPM\tTemp\tLight\tMinsON\tDuration");
  o.kind = ExportKind::SpDetections;
  o.timeFormat = ExportTimeFormat::None;
  o.dateUnit = ExportDateUnit::Minute;
  EXPECT_EQ(ColumnHeading(o), "File\tChunkEnd\tMinute\tNwaves\tNcalls\tminutes\tdays");
  o.kind = ExportKind::SpSummary;
  EXPECT_EQ(ColumnHeading(o),
            "File\tSpecies\ttotal Hi\ttotal ?\ttotal Low\tMax1m Hi\tMax1m ?\tMax1m Low\tall classes");
}

TEST(ExportText, SpeciesSummaryForcesWholeSpan) {
  ExportOptions o;
  o.period = ExportPeriod::Hours;
  ExportGroupsClicked(o);
  EXPECT_EQ(o.period, ExportPeriod::Hours);
  o.kind = ExportKind::SpSummary;
  ExportGroupsClicked(o);
  EXPECT_EQ(o.period, ExportPeriod::All);
  EXPECT_EQ(PeriodLength(ExportPeriod::All), 12000000);
  EXPECT_EQ(PeriodLength(ExportPeriod::Weeks), 10080);
}

TEST(ExportText, FixedPointAndHalfDegrees) {
  EXPECT_EQ(FixedPoint(153, 10, 1), "15.3");
  EXPECT_EQ(FixedPoint(7, 10, 1), "0.7");
  EXPECT_EQ(FixedPoint(0, 10, 1), "0.0");
  EXPECT_EQ(FixedPoint(1, 3, 2), "0.33");
  EXPECT_EQ(FixedPoint(1, 8, 2), "0.13");  // 0.125: halves go away from zero
  EXPECT_EQ(FixedPoint(-1, 8, 2), "-0.13");
  EXPECT_EQ(FixedPoint(-1, 1000, 2), "0.00");
  EXPECT_EQ(FixedPoint(41, 1, 5), "41.00000");
  EXPECT_EQ(FixedPoint(91, 6, 1), "15.2");  // a mean of half degrees
  EXPECT_EQ(HalfDegreesTwoDigits(15), "7.5");
  EXPECT_EQ(HalfDegreesTwoDigits(-3), "-1.5");
  EXPECT_EQ(HalfDegreesTwoDigits(41), "21.0");  // 20.5 to two digits
  EXPECT_EQ(HalfDegreesTwoDigits(40), "20.0");
  EXPECT_EQ(HalfDegreesTwoDigits(-41), "-21.0");
  EXPECT_EQ(HalfDegreesTwoDigits(0), "0.0");
}

TEST(ExportText, ReportNamesSkipTakenOnesUpToFile4) {
  std::set<std::string> taken;
  auto isTaken = [&taken](const std::string& p) { return taken.count(p) > 0; };
  EXPECT_EQ(ReportFileName("/d/night.ZV2", ExportKind::CallCounts, isTaken), "/d/night CallCounts.txt");
  taken = {"/d/night DetEnv.txt", "/d/night file2  DetEnv.txt", "/d/night file3  DetEnv.txt"};
  EXPECT_EQ(ReportFileName("/d/night.ZV2", ExportKind::DetEnv, isTaken), "/d/night file4  DetEnv.txt");
  EXPECT_EQ(ReportFileName("/d/night.ZV2", ExportKind::SpSummary, isTaken), "/d/night SpSummary.txt");
  EXPECT_EQ(ReportFileName("/d/night.ZV2", ExportKind::SpDetections, isTaken), "/d/night SpDetections.txt");
}

TEST(ExportText, MonthsAsleep) {
  EXPECT_EQ(MonthList(0), "none");
  EXPECT_EQ(MonthList(1 | (1 << 11)), "1,12");
  EXPECT_EQ(MonthList(0b110), "2,3");
  EXPECT_EQ(MonthList(1 << 12), "none");  // bits above 11 are no month
}

}  // namespace
}  // namespace zorvel
