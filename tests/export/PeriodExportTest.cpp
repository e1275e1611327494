#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>

#include "Deployment.h"
#include "Golden.h"
#include "core/SlotFiles.h"
#include "export/ExportText.h"
#include "export/PeriodExport.h"
#include "species/BuiltInSpecies.h"
#include "support/RecordingHost.h"

namespace zorvel {
namespace {

using testing::FileText;

class PeriodExportTest : public ::testing::Test {
 protected:
  testing::TempDir dir{"periodexport"};
  testing::RecordingHost host;
  FileSlots slots;
  FilterSettings settings;
  SpeciesListModel species;
  ExportFilters filters{settings, species};
  ExportOptions o;

  void SetUp() override { InitSlotSpeciesNames(slots); }

  std::string Open(int slot, const std::string& name) {
    const std::string path = testing::WriteDeployment(dir, name);
    EXPECT_TRUE(OpenFileInSlot(slots, path, slot, host, {}).opened);
    ApplyBuiltInSpeciesNames(slots, slot);
    return path;
  }

  std::string ToFile(int slot = 1) {
    o.destination = ExportDestination::TextFile;
    o.ExportFile = {};
    o.ExportFile[static_cast<size_t>(slot - 1)] = true;
    EXPECT_TRUE(ExportFromOpenFiles(slots, o, filters, std::nullopt, host));
    const auto lines = host.Lines(Memo::DataMemo);
    EXPECT_FALSE(lines.empty());
    if (lines.empty()) return "";
    const std::string& last = lines.back();
    return FileText(last.substr(last.find('\t') + 1));
  }

  std::vector<std::string> ToResults() {
    o.destination = ExportDestination::Results;
    host.lines.clear();
    ExportFromOpenFiles(slots, o, filters, std::nullopt, host);
    return host.Lines(Memo::DataMemo);
  }
};

TEST_F(PeriodExportTest, GoldenCallCountsByHourWithHeaders) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::Hours;
  o.OmitSpreadsheetHeaders = false;
  const std::string text = ToFile();
  testing::ExpectGolden("callcounts_hours.txt", text);
  // 21:40 starts the hour: the first period has 20 minutes and shows its last minute 21:59.
  EXPECT_NE(text.find("Mins in first time period =\t20\r\n"), std::string::npos);
  EXPECT_NE(text.find("Mins in last time period =\t10\r\n"), std::string::npos);
  EXPECT_NE(text.find("night.ZV2\t5/3/2021 21:59\t"), std::string::npos);
  EXPECT_NE(text.find("\t20m\r\n"), std::string::npos);
  EXPECT_TRUE(host.SaidTimed("Please select an open file (right) to export from") == false);
}

TEST_F(PeriodExportTest, GoldenDetEnvByMinuteBothFormats) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::DetEnv;
  o.period = ExportPeriod::Minutes;
  o.timeFormat = ExportTimeFormat::Both;
  testing::ExpectGolden("detenv_minutes.txt", ToFile());
}

TEST_F(PeriodExportTest, GoldenSpeciesSummaryAndListing) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::SpSummary;
  o.period = ExportPeriod::All;
  o.WithBriefFileName = true;
  o.OmitSpreadsheetHeaders = false;
  testing::ExpectGolden("spsummary_all.txt", ToFile());
  host.lines.clear();
  o.kind = ExportKind::SpDetections;
  o.period = ExportPeriod::Days;
  o.timeFormat = ExportTimeFormat::Unit;
  o.dateUnit = ExportDateUnit::JulianDay;
  testing::ExpectGolden("spdetections_days.txt", ToFile());
}

TEST_F(PeriodExportTest, SpeciesBlocksRepeatRunningTotalsOnTheResultsPage) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::SpSummary;
  o.period = ExportPeriod::Hours;
  o.OmitSpreadsheetHeaders = false;
  const auto lines = ToResults();
  const std::string full = dir.File("night.ZV2");
  ASSERT_GE(lines.size(), 9u);
  EXPECT_EQ(lines[0], "");  // the Results page gets an empty line before the header lines
  EXPECT_EQ(lines[1], "night.ZV2");
  // First hour (21:40 … 21:59): species 3, 4, 5; the fragment of species 1 comes at 22:05.
  const std::vector<std::string> firstBlock{full + "\tCmnPip\t2\t1\t0\t2\t1\t0\t3",
                                            full + "\tSopPip\t1\t1\t0\t1\t1\t0\t2",
                                            full + "\tNatPip\t2\t0\t1\t1\t0\t1\t3", ""};
  const auto heading = std::find(lines.begin(), lines.end(), std::string(ColumnHeading(o)));
  ASSERT_NE(heading, lines.end());
  EXPECT_EQ(std::vector<std::string>(heading + 1, heading + 5), firstBlock);
  const std::vector<std::string> secondBlock{full + "\tGHB\t1\t0\t0\t1\t0\t0\t1", firstBlock[0],
                                             firstBlock[1], firstBlock[2], ""};
  EXPECT_EQ(std::vector<std::string>(heading + 5, lines.end()), secondBlock);
}

TEST_F(PeriodExportTest, CallOverMinuteBoundaryCountsInBothMinutes) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::Minutes;
  o.timeFormat = ExportTimeFormat::None;
  const auto lines = ToResults();
  ASSERT_EQ(lines.size(), 31u);  // heading and 30 minutes
  EXPECT_EQ(lines[0], "File\tChunkEnd\tMinute\tNwaves\tnCalls\tMinsOn\tDuration");
  EXPECT_EQ(lines[1 + 2], "night.ZV2\t5\t2\t1\t1m");
  EXPECT_EQ(lines[1 + 10], "night.ZV2\t1\t1\t1\t1m");
  EXPECT_EQ(lines[1 + 11], "night.ZV2\t2\t1\t1\t1m");
  // Minutes 5 and 6 were not listening.
  EXPECT_EQ(lines[1 + 5], "night.ZV2\t0\t0\t0\t1m");
  EXPECT_EQ(lines[1 + 29], "night.ZV2\t0\t0\t1\t1m");
}

TEST_F(PeriodExportTest, FiltersAndIgnoreFilters) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::All;
  settings.IncludeFragments = false;  // drops the reverberant call 5
  settings.FMchk = false;             // drops calls 1 and 3
  auto lines = ToResults();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(lines[1].find('\t', 10)), "\t6\t4\t28\t30m");
  settings.IgnoreFilters = true;
  lines = ToResults();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(lines[1].find('\t', 10)), "\t12\t7\t28\t30m");
}

TEST_F(PeriodExportTest, DropBlanksLeavesOnlyPeriodsWithWaveGroups) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::Minutes;
  o.timeFormat = ExportTimeFormat::Unit;
  o.DropBlanksChkBox = true;
  const auto lines = ToResults();
  ASSERT_EQ(lines.size(), 1u + 6u);  // minutes 2, 3, 10, 11, 25, 26
  const int32_t start = testing::DeploymentStart();
  EXPECT_EQ(lines[1].substr(0, lines[1].find('\t', 10)), "night.ZV2\t" + std::to_string(start + 2));
  EXPECT_EQ(lines[6].substr(0, lines[6].find('\t', 10)), "night.ZV2\t" + std::to_string(start + 26));
}

TEST_F(PeriodExportTest, TwoSlotsShareOneHeadingInOneFile) {
  Open(1, "a.ZV2");
  Open(2, "b.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::All;
  o.destination = ExportDestination::TextFile;
  o.ExportFile = {true, true, false, false, false, false};
  ASSERT_TRUE(ExportFromOpenFiles(slots, o, filters, std::nullopt, host));
  const auto lines = host.Lines(Memo::DataMemo);
  ASSERT_EQ(lines.size(), 2u);
  const std::string report = dir.File("a CallCounts.txt");
  EXPECT_EQ(lines[0], "File1 exported to \t" + report);
  EXPECT_EQ(lines[1], "File2 exported to \t" + report);
  const std::string text = FileText(report);
  EXPECT_EQ(text,
            "File\tChunkEnd\tNwaves\tnCalls\tMinsOn\tDuration\r\n"
            "a.ZV2\t5/3/2021 22:09\t12\t7\t28\t30m\r\n"
            "b.ZV2\t5/3/2021 22:09\t12\t7\t28\t30m\r\n");
  // With separate files each slot gets its own file and heading.
  host.lines.clear();
  o.SeparateFiles = true;
  ASSERT_TRUE(ExportFromOpenFiles(slots, o, filters, std::nullopt, host));
  EXPECT_EQ(host.Lines(Memo::DataMemo)[0], "File1 exported to \t" + dir.File("a file2  CallCounts.txt"));
  EXPECT_EQ(host.Lines(Memo::DataMemo)[1], "File2 exported to \t" + dir.File("b CallCounts.txt"));
  EXPECT_EQ(FileText(dir.File("b CallCounts.txt")).find("File\tChunkEnd"), 0u);
  // The report written first is untouched.
  EXPECT_EQ(FileText(report), text);
}

TEST_F(PeriodExportTest, WeeksEndAtMultiplesOfTheirLength) {
  // A file of 10090 minutes that crosses one week boundary.
  const int32_t weekEnd = 10080 * 4400 + 10079;
  const int32_t first = weekEnd - 9;
  std::vector<testing::SyntheticMinute> ms(10090);
  const std::string path = dir.File("long.ZV2");
  ASSERT_TRUE(testing::WriteDataFile(path, testing::MakeHeader(first, first + 10089), ms));
  ASSERT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::Weeks;
  o.timeFormat = ExportTimeFormat::Unit;
  o.OmitSpreadsheetHeaders = false;
  const auto lines = ToResults();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[lines.size() - 2], "long.ZV2\t" + std::to_string(weekEnd) + "\t0\t0\t0\t10m");
  EXPECT_EQ(lines.back(), "long.ZV2\t" + std::to_string(weekEnd + 10080) + "\t0\t0\t0\t7d ");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Mins in first time period =\t10"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Mins in last time period =\t10080"), lines.end());
}

TEST_F(PeriodExportTest, DetEnvNeedsCallFilesAndEmptyPeriodsDoNotDivideByZero) {
  const std::string zv1 = dir.File("raw.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(zv1, testing::MakeHeader(1000, 1002), testing::RegularMinutes(3, 2)));
  ASSERT_TRUE(OpenFileInSlot(slots, zv1, 3, host, {}).opened);
  o.kind = ExportKind::DetEnv;
  o.ExportFile = {false, false, true, false, false, false};
  EXPECT_FALSE(ExportFromOpenFiles(slots, o, filters, std::nullopt, host));
  EXPECT_TRUE(host.SaidTimed("File 3: Detections can only be exported from .ZV2 files"));
  o.ExportFile = {};
  EXPECT_FALSE(ExportFromOpenFiles(slots, o, filters, std::nullopt, host));
  EXPECT_TRUE(host.SaidTimed("Please select an open file (right) to export from"));
  // Kind 0 is allowed from a ZV1 file: wave groups but no calls.
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::All;
  o.ExportFile = {false, false, true, false, false, false};
  const auto lines = ToResults();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(lines[1].find('\t', 10)), "\t6\t0\t3\t3m");
}

TEST_F(PeriodExportTest, SelectionClipsTheSpanAndOutsideIsReported) {
  Open(1, "night.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::All;
  o.ExportSelectedTime = true;
  const int32_t s = testing::DeploymentStart();
  o.destination = ExportDestination::Results;
  ASSERT_TRUE(ExportFromOpenFiles(slots, o, filters, MinuteSpan{s + 2, s + 3}, host));
  auto lines = host.Lines(Memo::DataMemo);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "night.ZV2\t5/3/2021 21:43\t7\t3\t2\t2m");
  host.lines.clear();
  ExportFromOpenFiles(slots, o, filters, MinuteSpan{s + 100, s + 200}, host);
  EXPECT_TRUE(host.SaidTimed("File night.ZV2: the time selection lies outside this file"));
  EXPECT_TRUE(host.Lines(Memo::DataMemo).empty());
}

TEST_F(PeriodExportTest, BatchGoesOnPastUnreadableFilesAndReportFolderMustBeWritable) {
  const std::string a = testing::WriteDeployment(dir, "a.ZV2");
  const std::string junk = dir.File("junk.ZV2");
  testing::WriteAll(junk, {1, 2, 3});
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::All;
  o.destination = ExportDestination::TextFile;
  o.SeparateFiles = true;
  EXPECT_EQ(ExportBatch({junk, a, dir.File("missing.ZV2")}, o, filters, std::nullopt, host), 1);
  const auto lines = host.Lines(Memo::DataMemo);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines.front(), "ERROR\t\t" + junk);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "a.ZV2 exported to \t" + dir.File("a CallCounts.txt")),
            lines.end());
  EXPECT_EQ(lines.back(), "ERROR\t\t" + dir.File("missing.ZV2"));
  EXPECT_EQ(ExportBatch({}, o, filters, std::nullopt, host), 0);
  EXPECT_TRUE(host.SaidTimed("No Files selected"));

  // A report folder that cannot be written: the message, and nothing is left behind.
  std::filesystem::create_directories(dir.File("ro"));
  const std::string b = testing::WriteDeployment(dir, "ro/b.ZV2");
  std::filesystem::permissions(dir.File("ro"),
                               std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool canWrite =
      testing::ReadAll(dir.File("ro/b.ZV2")).size() > 0 && ::access(dir.File("ro").c_str(), W_OK) == 0;
  if (!canWrite) {
    EXPECT_EQ(ExportBatch({b}, o, filters, std::nullopt, host), 0);
    EXPECT_TRUE(host.SaidTimed("Failed to create report file " + dir.File("ro/b CallCounts.txt")));
    EXPECT_FALSE(FileExists(dir.File("ro/b CallCounts.txt")));
  }
  std::filesystem::permissions(dir.File("ro"), std::filesystem::perms::owner_all);
}

// A disk that fills while the report is written (a file size limit stands in for it): the
// report is not put in place, no "exported to" line claims it, and no file counts as exported.
TEST_F(PeriodExportTest, ReportThatCannotBeWrittenWholeClaimsNothing) {
  const std::string a = testing::WriteDeployment(dir, "a.ZV2");
  o.kind = ExportKind::CallCounts;
  o.period = ExportPeriod::Minutes;
  o.destination = ExportDestination::TextFile;
  for (const bool separate : {true, false}) {
    o.SeparateFiles = separate;
    host = {};
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int exported = ExportBatch({a}, o, filters, std::nullopt, host);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(exported, 0) << "separate " << separate;
    EXPECT_TRUE(host.Lines(Memo::DataMemo).empty()) << "separate " << separate;
    EXPECT_TRUE(host.SaidTimed(dir.File("a CallCounts.txt") + " not created successfully: File too large"));
    EXPECT_FALSE(FileExists(dir.File("a CallCounts.txt")));
  }
}

}  // namespace
}  // namespace zorvel
