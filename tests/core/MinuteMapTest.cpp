#include <gtest/gtest.h>

#include "core/Bytes.h"
#include "core/MinuteMap.h"
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

class MapTest : public ::testing::Test {
 protected:
  TempDir dir{"map"};
  FileSlots slots;
  RecordingHost host;

  std::string Write(const std::string& name, const HeaderBytes& h, const std::vector<SyntheticMinute>& ms,
                    bool end = true) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteDataFile(path, h, ms, end));
    return path;
  }
  TFileRec& Open(const std::string& path, bool refresh = false) {
    OpenOptions o;
    o.refreshMaps = refresh;
    o.mapAtOpening = false;  // these tests map the slot themselves
    EXPECT_TRUE(OpenFileInSlot(slots, path, 1, host, o).opened);
    return slots[1];
  }
};

TEST_F(MapTest, ThreeMinutesAndAnEndRecord) {
  std::vector<SyntheticMinute> ms(3);
  ms[0].records = {WaveGroup(1), WaveGroup(2)};
  ms[1].records = {WaveGroup(1)};
  TFileRec& s = Open(Write("three.ZV1", MakeHeader(100, 102), ms));
  EXPECT_TRUE(MapSlot(slots, 1, false, host));
  EXPECT_TRUE(s.Mapped);
  EXPECT_EQ(s.MinStartsWritten, 3);
  const std::vector<int32_t> want{64, 67, 69, 70, 0};
  EXPECT_EQ(std::vector<int32_t>(s.MinStarts.begin(), s.MinStarts.begin() + 5), want);
  EXPECT_FALSE(std::filesystem::exists(dir.File("three.z1m")));  // small files are not given map files
}

TEST_F(MapTest, LargeFilesGetAMapFileThatIsReadBack) {
  // 101 minutes of 1000 wave groups: more than 100,000 records.
  const std::string path = Write("big.ZV1", MakeHeader(1000, 1100), testing::RegularMinutes(101, 1000));
  TFileRec& s = Open(path);
  EXPECT_FALSE(MapSlot(slots, 1, false, host));  // wrote the map file
  const std::string map = dir.File("big.z1m");
  ASSERT_TRUE(std::filesystem::exists(map));
  EXPECT_EQ(std::filesystem::file_size(map), 4u * (101 + 1));
  const auto firstMap = s.MinStarts;
  const auto mapBytes = testing::ReadAll(map);
  EXPECT_EQ(Le32(&mapBytes[0]), 64);
  EXPECT_EQ(Le32(&mapBytes[4]), 64 + 1001);

  CloseAllSlots(slots);
  TFileRec& again = Open(path);
  EXPECT_TRUE(MapSlot(slots, 1, false, host));  // read back, nothing written
  EXPECT_EQ(again.MinStarts, firstMap);

  // Wrong-sized maps are rebuilt and rewritten: short, long, and not whole entries.
  for (size_t cut : {mapBytes.size() - 4, mapBytes.size() + 4, mapBytes.size() - 2}) {
    std::vector<uint8_t> bad = mapBytes;
    bad.resize(cut, 0x7F);
    testing::WriteAll(map, bad);
    CloseAllSlots(slots);
    Open(path);
    EXPECT_FALSE(MapSlot(slots, 1, false, host)) << cut;
    EXPECT_EQ(testing::ReadAll(map), mapBytes) << cut;
  }
  // Right size but entries that point outside the file: rebuilt too.
  std::vector<uint8_t> wild = mapBytes;
  PutLe32(&wild[40], 0x7FFFFFF0);
  testing::WriteAll(map, wild);
  CloseAllSlots(slots);
  Open(path);
  EXPECT_FALSE(MapSlot(slots, 1, false, host));
  EXPECT_EQ(testing::ReadAll(map), mapBytes);
}

// A header whose last minute lies years after its first, over a file of a few minutes: what the
// slot holds is sized by the records the file has, at opening and through the scan.
TEST_F(MapTest, AHeaderSpanOfYearsOverAFewMinutesAllocatesForTheMinutes) {
  constexpr int32_t kYears = 1'000'000;  // within the span a scan believes, about two years
  const std::string path = Write("years.ZV1", MakeHeader(1000, 1000 + kYears), testing::RegularMinutes(3, 2));
  TFileRec& s = Open(path);
  const size_t records = static_cast<size_t>(s.InFileRecs);
  EXPECT_LE(s.MinStarts.capacity(), records + 3) << "opening sizes the map by the file";
  MapSlot(slots, 1, false, host);
  EXPECT_EQ(s.MinStartsWritten, 3);
  EXPECT_EQ(s.LastLoggedMin, 1002);
  EXPECT_LE(s.MinStarts.capacity(), records + 3) << "the scan sizes the map by the file";
}

// A map of the right length whose entries rise is still checked against the file: every entry
// must point at a minute record and the last at the end record.
TEST_F(MapTest, MapEntriesThatDoNotPointAtMinuteRecordsAreRebuilt) {
  const std::string path = Write("wrong.ZV1", MakeHeader(1000, 1100), testing::RegularMinutes(101, 1000));
  Open(path);
  EXPECT_FALSE(MapSlot(slots, 1, false, host));
  const std::string map = dir.File("wrong.z1m");
  const auto good = testing::ReadAll(map);
  auto withEntries = [&](auto change) {
    std::vector<uint8_t> bad = good;
    for (size_t k = 0; k < bad.size() / 4; ++k) PutLe32(&bad[4 * k], change(k, Le32(&bad[4 * k])));
    return bad;
  };
  const std::vector<std::vector<uint8_t>> wrongMaps = {
      withEntries([](size_t, int32_t v) { return v + 1; }),  // one record off: the neighbouring records
      withEntries([](size_t, int32_t) { return 64; }),       // all the first minute
      withEntries(
          [&](size_t k, int32_t v) { return k + 1 == good.size() / 4 ? v - 1 : v; }),  // end entry short
      withEntries([](size_t k, int32_t v) { return k == 50 ? v + 500 : v; }),          // one inside a minute
  };
  for (size_t i = 0; i < wrongMaps.size(); ++i) {
    testing::WriteAll(map, wrongMaps[i]);
    CloseAllSlots(slots);
    TFileRec& s = Open(path);
    EXPECT_FALSE(MapSlot(slots, 1, false, host)) << i;  // rebuilt and written again
    EXPECT_EQ(testing::ReadAll(map), good) << i;
    ReaderContext ctx{host};
    PositionSlot(slots, 1, TRecTime{1050, 0}, ctx, false);
    EXPECT_EQ(s.LightN, 50) << i;  // the minute's own values
  }
}

// The header's last minute is amended in memory only; the map file keeps what the scan found, so
// the next opening reads it instead of scanning again.
TEST_F(MapTest, TheMapFileCarriesTheAmendedLastMinute) {
  const std::string path = Write("short.ZV1", MakeHeader(1000, 1000), testing::RegularMinutes(101, 1000));
  const auto before = testing::ReadAll(path);
  TFileRec& s = Open(path);
  EXPECT_FALSE(MapSlot(slots, 1, false, host));
  EXPECT_EQ(s.LastLoggedMin, 1100);
  const std::string map = dir.File("short.z1m");
  const auto mapBytes = testing::ReadAll(map);
  ASSERT_EQ(mapBytes.size(), 4u * 102);
  std::filesystem::last_write_time(map, std::filesystem::file_time_type{});
  CloseAllSlots(slots);
  host.lines.clear();
  TFileRec& again = Open(path);
  EXPECT_TRUE(MapSlot(slots, 1, false, host));  // read from the map file
  EXPECT_EQ(again.LastLoggedMin, 1100);
  EXPECT_EQ(again.StoredLastProcessMin, 1100);
  EXPECT_TRUE(again.HeaderAmended);
  EXPECT_EQ(host.Lines(Memo::DataMemo), (std::vector<std::string>{"short.ZV1 File map amended header: 100"}));
  EXPECT_EQ(std::filesystem::last_write_time(map), std::filesystem::file_time_type{});  // not rewritten
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

TEST_F(MapTest, PositioningAtMomentsBeforeInsideAndAfterTheFile) {
  std::vector<SyntheticMinute> ms = testing::RegularMinutes(4, 3);  // ticks 1000, 2000, 3000
  TFileRec& s = Open(Write("pos.ZV1", MakeHeader(200, 203), ms));
  ReaderContext ctx{host};
  PositionSlot(slots, 1, TRecTime{150, 0}, ctx, false);
  EXPECT_EQ(s.NrType, tMinRec);
  EXPECT_EQ(s.NrTime.Mn, 200);

  PositionSlot(slots, 1, TRecTime{202, 1500}, ctx, false);
  EXPECT_EQ(s.NrType, tOctet);
  EXPECT_EQ(s.NrTime, (TRecTime{202, 2000}));

  PositionSlot(slots, 1, TRecTime{204, 0}, ctx, false);
  EXPECT_FALSE(s.InPlay);
}

TEST_F(MapTest, NoEndRecordUsesTheEndOfTheFile) {
  TFileRec& s = Open(Write("noend.ZV1", MakeHeader(10, 12), testing::RegularMinutes(3, 2), false));
  EXPECT_TRUE(MapSlot(slots, 1, false, host));
  EXPECT_EQ(s.MinStartsWritten, 3);
  EXPECT_EQ(s.MinStarts[3], s.InFileRecs);
  ReaderContext ctx{host};
  PositionSlot(slots, 1, TRecTime{12, 1500}, ctx, false);
  EXPECT_EQ(s.NrTime, (TRecTime{12, 2000}));
  ReadNextUsedRecord(s, ctx);
  EXPECT_EQ(s.NrType, tEnd);
}

TEST_F(MapTest, AbsurdHeaderSpanIsRepairedWithoutAHugeMap) {
  HeaderBytes h = MakeHeader(1, kLastPlausibleMinute);
  const std::string path = Write("absurd.ZV1", h, testing::RegularMinutes(3, 1));
  TFileRec& s = Open(path);
  EXPECT_LT(s.MinStarts.size(), 100000u);
  EXPECT_EQ(s.FirstLoggedMin, 1);
  EXPECT_EQ(s.LastLoggedMin, 3);
  EXPECT_TRUE(host.SaidTimed("MinStarts 1440  <158313599 in OFsF"));
  EXPECT_TRUE(host.SaidTimed("File date range is too great ..."));
}

// Header minutes near 2^31 (or below the time base) are refused at opening, naming the field;
// a plausible first minute at the very end of the range is mapped without overflow.
TEST_F(MapTest, ImplausibleHeaderMinutesAreRefusedAtOpening) {
  const struct {
    int32_t first, last;
    const char* said;
  } refused[] = {
      {0x7FFFFFF0, 0, "FirstLoggedMin holds 2147483632"},
      {0, 0, "FirstLoggedMin holds 0"},
      {-8, 100, "FirstLoggedMin holds -8"},
      {100, 0x7FFFFFF8, "LastLoggedMin holds 2147483640"},
      {100, kLastPlausibleMinute + 1, "LastLoggedMin holds 158313600"},
  };
  for (const auto& r : refused) {
    HeaderBytes h = MakeHeader(100, 0);
    PutBe32(&h[hdr::kFirstLoggedMin], r.first);  // MakeHeader stores negatives as 0
    PutBe32(&h[hdr::kLastLoggedMin], r.last);
    const std::string path = Write("odd.ZV1", h, testing::RegularMinutes(3, 1));
    host.timed.clear();
    EXPECT_FALSE(OpenFileInSlot(slots, path, 1, host, {}).opened) << r.said;
    EXPECT_FALSE(slots[1].Open);
    EXPECT_TRUE(host.SaidTimed(std::string("odd.ZV1: the header's ") + r.said +
                               ", not a minute of the years 1899 to 2200; the file is not opened"))
        << r.said;
  }
  const std::string edge =
      Write("edge.ZV1", MakeHeader(kLastPlausibleMinute - 1, 0), testing::RegularMinutes(5, 1));
  TFileRec& s = Open(edge);
  EXPECT_EQ(s.LastLoggedMin, kLastPlausibleMinute + 3);
  EXPECT_EQ(s.MinStartsWritten, 5);
  ReaderContext ctx{host};
  PositionSlot(slots, 1, TRecTime{kLastPlausibleMinute + 3, 0}, ctx, false);
  EXPECT_EQ(s.NrTime.Mn, kLastPlausibleMinute + 3);
}

TEST_F(MapTest, ScanOfAFileWithNothingAfterTheHeaderClosesTheSlot) {
  const std::string path = dir.File("empty.ZV1");
  HeaderBytes h = MakeHeader(10, 0);
  testing::WriteAll(path, std::vector<uint8_t>(h.begin(), h.end()));
  FileSlots fresh;
  EXPECT_FALSE(OpenFileInSlot(fresh, path, 2, host, {}).opened);
  EXPECT_FALSE(fresh[2].Open);
  EXPECT_TRUE(host.SaidTimed("Too few bytes read from file"));
  EXPECT_TRUE(host.SaidTimed("empty.ZV1 is not valid and will be closed"));
}

}  // namespace
}  // namespace zorvel
