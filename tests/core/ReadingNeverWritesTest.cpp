// Reading never changes a data file: wave groups whose time runs backwards are skipped in
// memory, a header without a last minute is amended in memory, and the bytes stay as they were.
#include <gtest/gtest.h>

#include "core/Bytes.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

using testing::MakeHeader;
using testing::RecordingHost;
using testing::SyntheticMinute;
using testing::TempDir;
using testing::WaveGroup;

Record Zv2Group(int32_t tick, int32_t callNumber) {
  return EncodeZV2WaveGroup(tick, {20, 20, 20, 20}, {50, 50, 50, 50}, false, false, callNumber, tfNotFeature,
                            10);
}

void AppendCall(std::vector<Record>& out, int32_t number, std::initializer_list<int32_t> ticks) {
  const auto rec = EncodeCall(testing::AcceptedCall(*ticks.begin(), number));
  out.insert(out.end(), rec.begin(), rec.end());
  for (int32_t t : ticks) out.push_back(Zv2Group(t, number));
}

class ReadingNeverWritesTest : public ::testing::Test {
 protected:
  TempDir dir{"readonly"};
  FileSlots slots;
  RecordingHost host;

  std::string Write(const std::string& name, const HeaderBytes& h, const std::vector<SyntheticMinute>& ms) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteDataFile(path, h, ms));
    return path;
  }
  TFileRec& Open(const std::string& path) {
    EXPECT_TRUE(OpenFileInSlot(slots, path, 1, host, {.mapAtOpening = false}).opened);  // mapped by the tests
    return slots[1];
  }
  // The ticks of the wave groups the reader hands on from the start of the minute to its end.
  std::vector<int32_t> TicksOfMinute(int32_t minute) {
    TFileRec& s = slots[1];
    ReaderContext ctx{host};
    ctx.options.IgnoreFilters = true;
    EXPECT_TRUE(SeekToMinuteStart(slots, 1, minute, host, false));
    std::vector<int32_t> ticks;
    ReadNextUsedRecord(s, ctx);
    EXPECT_EQ(s.NrType, tMinRec);
    for (;;) {
      ReadNextUsedRecord(s, ctx);
      if (s.NrType == tMinRec || s.NrType == tEnd) break;
      if (s.NrType == tOctet) ticks.push_back(s.NrTime.FiveMuSec);
    }
    return ticks;
  }
  // Every wave group's tick from the start of the file to its end.
  std::vector<int32_t> AllTicks() {
    TFileRec& s = slots[1];
    ReaderContext ctx{host};
    ctx.options.IgnoreFilters = true;
    EXPECT_TRUE(SeekToMinuteStart(slots, 1, s.FirstLoggedMin, host, false));
    std::vector<int32_t> ticks;
    while (s.InPlay) {
      ReadNextUsedRecord(s, ctx);
      if (s.NrType == tOctet) ticks.push_back(s.NrTime.FiveMuSec);
    }
    return ticks;
  }
};

// A wave group earlier than the one before it in its minute is skipped; the next one is compared
// with the skipped one's time; a time of 0 is never skipped; each minute starts afresh.
TEST_F(ReadingNeverWritesTest, ZV1BackwardTimesAreSkippedWithoutTouchingTheFile) {
  std::vector<SyntheticMinute> ms(3);
  ms[0].records = {WaveGroup(500), WaveGroup(400), WaveGroup(0), WaveGroup(450)};
  ms[1].records = {WaveGroup(100), WaveGroup(50), WaveGroup(70), WaveGroup(60), WaveGroup(80)};
  ms[2].records = {WaveGroup(10), WaveGroup(20)};
  const std::string path = Write("back.ZV1", MakeHeader(10, 12), ms);
  const auto before = testing::ReadAll(path);
  Open(path);
  EXPECT_EQ(AllTicks(), (std::vector<int32_t>{500, 0, 450, 100, 70, 80, 10, 20}));
  // After a seek into the middle of the file the same records come back.
  EXPECT_EQ(TicksOfMinute(11), (std::vector<int32_t>{100, 70, 80}));
  EXPECT_EQ(TicksOfMinute(10), (std::vector<int32_t>{500, 0, 450}));
  EXPECT_TRUE(MapSlot(slots, 1, true, host));
  EXPECT_EQ(TicksOfMinute(11), (std::vector<int32_t>{100, 70, 80}));
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

// Marks left by earlier versions in the file itself are still skipped, and never counted as the
// time to compare the next wave group with.
TEST_F(ReadingNeverWritesTest, FilesThatAlreadyHoldMarksReadAsBefore) {
  std::vector<SyntheticMinute> ms(1);
  Record marked = WaveGroup(400);
  marked[0] = kIdScanSuppressed;
  Record invalid = WaveGroup(300);
  invalid[0] = 0xF5;
  ms[0].records = {WaveGroup(500), marked, invalid, WaveGroup(450), WaveGroup(600)};
  const std::string path = Write("marked.ZV1", MakeHeader(10, 10), ms);
  const auto before = testing::ReadAll(path);
  Open(path);
  EXPECT_EQ(AllTicks(), (std::vector<int32_t>{500, 600}));
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

// In a call file a call may start before the previous call ended; only within a call do the
// wave groups have to follow each other.
TEST_F(ReadingNeverWritesTest, ZV2CallsMayStartBeforeThePreviousCallEnded) {
  std::vector<SyntheticMinute> ms(2);
  AppendCall(ms[0].records, 1, {1000, 2000, 3000});
  AppendCall(ms[0].records, 2, {2500, 2600, 2550, 2700});
  AppendCall(ms[1].records, 3, {900, 950});
  const std::string path = Write("ext.ZV2", MakeHeader(20, 21), ms);
  const auto before = testing::ReadAll(path);
  Open(path);
  EXPECT_EQ(AllTicks(), (std::vector<int32_t>{1000, 2000, 3000, 2500, 2600, 2700, 900, 950}));
  EXPECT_EQ(TicksOfMinute(20), (std::vector<int32_t>{1000, 2000, 3000, 2500, 2600, 2700}));
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

// A map read back from its map file gives the same records as one built by a scan.
TEST_F(ReadingNeverWritesTest, MapFromTheMapFileSkipsTheSameWaveGroups) {
  std::vector<SyntheticMinute> ms = testing::RegularMinutes(101, 1000);
  ms[50].records[10] = WaveGroup(5);  // earlier than the 10,000 before it
  ms[50].records[11] = WaveGroup(7);  // later than 5: kept
  const std::string path = Write("bigback.ZV1", MakeHeader(1000, 1100), ms);
  const auto before = testing::ReadAll(path);
  Open(path);
  EXPECT_FALSE(MapSlot(slots, 1, false, host));  // scanned, map file written
  const auto scanned = TicksOfMinute(1050);
  ASSERT_EQ(scanned.size(), 999u);
  EXPECT_EQ(scanned[10], 7);
  CloseAllSlots(slots);
  Open(path);
  EXPECT_TRUE(MapSlot(slots, 1, false, host));  // read from the map file
  EXPECT_EQ(TicksOfMinute(1050), scanned);
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

// A header without its last minute is amended for this opening only.
TEST_F(ReadingNeverWritesTest, HeaderWithNoLastMinuteIsAmendedInMemoryOnly) {
  const std::string path = Write("zero.ZV1", MakeHeader(100, 0), testing::RegularMinutes(5, 2));
  const auto before = testing::ReadAll(path);
  TFileRec& s = Open(path);
  EXPECT_TRUE(s.Mapped);
  EXPECT_EQ(s.LastLoggedMin, 104);
  EXPECT_EQ(s.StoredLastProcessMin, 104);
  ASSERT_EQ(host.Lines(Memo::DataMemo).size(), 1u);
  EXPECT_EQ(host.Lines(Memo::DataMemo)[0], "zero.ZV1 File map amended header: 4");
  EXPECT_EQ(AllTicks().size(), 10u);
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
  // A second opening amends it again.
  EXPECT_EQ(Open(path).LastLoggedMin, 104);
}

}  // namespace
}  // namespace zorvel
