#include <gtest/gtest.h>

#include "core/Bytes.h"
#include "import/ImportHost.h"
#include "import/LoggerFiles.h"
#include "import/RecordCopy.h"

namespace zorvel {
namespace {

std::vector<uint8_t> Block(const std::vector<Record>& records) {
  std::vector<uint8_t> b;
  for (const auto& r : records) b.insert(b.end(), r.begin(), r.end());
  return b;
}

struct Sink : MinutesReadSink {
  std::vector<int64_t> reports;
  void MinutesRead(int64_t total) override { reports.push_back(total); }
};

struct RepairFixture : ::testing::Test {
  testing::ImportHost host;
  CopyCounters counters;
  CopyOptions options;
  bool reported = false;
  BlockOutcome Repair(std::vector<uint8_t>& b, size_t n = SIZE_MAX, MinutesReadSink* sink = nullptr) {
    return RepairBlock(b.data(), std::min(n, b.size()), counters, options, host, reported, sink);
  }
};

TEST_F(RepairFixture, ScoresDropByFourAndNeverBelowZero) {
  auto b = Block(
      {testing::Group(100, 3), testing::Group(200, 20), testing::Group(300, 4), testing::Group(400, 31)});
  const BlockOutcome out = Repair(b);
  EXPECT_EQ(out.bytesToWrite, b.size());
  EXPECT_FALSE(out.endRecordSeen);
  EXPECT_EQ(b[15], 0);
  EXPECT_EQ(b[16 + 15], 16);
  EXPECT_EQ(b[32 + 15], 0);
  EXPECT_EQ(b[48 + 15], 27);
  EXPECT_EQ(counters.seriesWaveGroups, 4);
}

TEST_F(RepairFixture, TickZeroIsSuppressedAndTheRestOfTheRecordKept) {
  auto b = Block({testing::Minute(), testing::Group(0), testing::Group(5)});
  const auto before = b;
  Repair(b);
  EXPECT_EQ(b[16], kIdImportSuppressed);
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 17, b.begin() + 31),
            std::vector<uint8_t>(before.begin() + 17, before.begin() + 31));
  EXPECT_EQ(b[32], 0) << "a group with a later time is left alone";
}

TEST_F(RepairFixture, TimeReversalsAreMarkedOnlyWithTheDeveloperOption) {
  auto plain = Block(
      {testing::Minute(), testing::Group(500), testing::Group(400), testing::Minute(), testing::Group(300)});
  auto marked = plain;
  Repair(plain);
  EXPECT_EQ(plain[32], 0) << "without the option a reversal is copied";
  EXPECT_TRUE(host.Lines(Memo::ErrorsMemo).empty());

  options.addTimestampsAtTimeReversals = true;
  host.admin = true;
  counters = {};
  Repair(marked);
  EXPECT_EQ(marked[32], kIdImportSuppressed);
  EXPECT_EQ(marked[64], 0) << "a new minute starts the comparison again";
  const auto errors = host.Lines(Memo::ErrorsMemo);
  ASSERT_EQ(errors.size(), 6u);
  EXPECT_EQ(errors[0], "");
  EXPECT_EQ(errors[1], "Time seq error at \t1\t500\t400");
  EXPECT_EQ(errors[2].substr(0, 6), "FE\t00\t") << "two records back: the minute record";
  EXPECT_EQ(errors[5].substr(0, 3), "FE\t") << "the record after";
}

TEST_F(RepairFixture, EveryMinuteRecordCountsForTheLastMinute) {
  // Byte 10 = 3 (listening with battery 1) is an ordinary minute and counts like the others.
  auto b = Block({testing::Minute(true, 1), testing::Minute(true, 2), testing::Minute(false, 1),
                  testing::Minute(true, 3)});
  Repair(b);
  EXPECT_EQ(counters.minuteRecords, 4);
  EXPECT_EQ(counters.seriesMinutes, 4);
  EXPECT_EQ(counters.lastMinuteCount, 4);
}

TEST_F(RepairFixture, EndRecordCutsTheBlock) {
  auto b = Block({testing::Minute(), testing::Group(7), EndRecord(), testing::Group(9)});
  const BlockOutcome out = Repair(b);
  EXPECT_TRUE(out.endRecordSeen);
  EXPECT_EQ(out.bytesToWrite, 32u);
  EXPECT_EQ(counters.seriesWaveGroups, 1) << "nothing after the end record is looked at";
}

TEST_F(RepairFixture, TrailingPartialRecordIsDropped) {
  auto b = Block({testing::Group(7), testing::Group(9)});
  const BlockOutcome out = Repair(b, 16 + 9);
  EXPECT_EQ(out.bytesToWrite, 16u);
  EXPECT_EQ(counters.seriesWaveGroups, 1);
}

TEST_F(RepairFixture, UnknownIdentifiersAreCopiedAndReportedOnceEver) {
  host.admin = true;
  auto b =
      Block({testing::Raw({0xC3, 1, 2}), testing::Raw({0xF7, 4, 5, 'B', 'A', 'T'}), testing::Raw({0xFD})});
  const auto before = b;
  Repair(b);
  EXPECT_EQ(b, before);
  ASSERT_EQ(host.timed.size(), 1u);
  EXPECT_EQ(host.timed[0].text, "Impossible rec ID = 195");
  Repair(b);
  EXPECT_EQ(host.timed.size(), 1u) << "the flag holds for the rest of the program";
}

TEST_F(RepairFixture, UnknownIdentifierSetsTheFlagEvenOutsideAdministratorMode) {
  auto b = Block({testing::Raw({0xC3})});
  Repair(b);
  EXPECT_TRUE(reported);
  EXPECT_TRUE(host.timed.empty());
}

TEST_F(RepairFixture, MinutesReadReportedEveryHundred) {
  std::vector<Record> mins(250, testing::Minute());
  auto b = Block(mins);
  Sink sink;
  Repair(b, SIZE_MAX, &sink);
  EXPECT_EQ(sink.reports, (std::vector<int64_t>{100, 200}));
}

}  // namespace
}  // namespace zorvel
