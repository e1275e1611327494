#include <gtest/gtest.h>

#include "core/Bytes.h"
#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

using testing::MakeHeader;
using testing::RecordingHost;
using testing::SyntheticMinute;
using testing::TempDir;
using testing::WaveGroup;

class ReaderTest : public ::testing::Test {
 protected:
  TempDir dir{"reader"};
  FileSlots slots;
  RecordingHost host;

  TFileRec& Open(const std::string& name, const HeaderBytes& h, const std::vector<SyntheticMinute>& ms) {
    const std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteDataFile(path, h, ms));
    EXPECT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
    return slots[1];
  }
};

TEST_F(ReaderTest, CountsMinutesAndDecodesZV1WaveGroups) {
  std::vector<SyntheticMinute> ms(2);
  ms[0].values = MinuteValues{200, 12, 50, true, 4, {37, 0, 0, 0}};  // battery 4 is stored as 0
  ms[0].records = {WaveGroup(500, 100, 60, 17)};
  ms[1].values.BatInUse = 2;
  TFileRec& s = Open("a.ZV1", MakeHeader(5000, 5001), ms);
  ReaderContext ctx{host};

  ASSERT_TRUE(ReadNextRecord(s, ctx));
  EXPECT_EQ(s.NrType, tMinRec);
  EXPECT_EQ(s.NrTime.Mn, 5000);
  EXPECT_EQ(s.LightN, 200);
  EXPECT_EQ(s.HalfDegC_RTC, 24);
  EXPECT_EQ(s.HalfDegCpreamp, 30);
  EXPECT_TRUE(s.MinON);
  EXPECT_EQ(s.BatInUse, 4);
  EXPECT_FLOAT_EQ(s.Bat1Voltage, 3.7f);

  ASSERT_TRUE(ReadNextRecord(s, ctx));
  EXPECT_EQ(s.NrType, tOctet);
  EXPECT_EQ(s.NrTime.FiveMuSec, 500);
  EXPECT_EQ(s.aOct.IPIsum, 804);
  EXPECT_EQ(s.aOct.avF, 39);
  EXPECT_EQ(s.aOct.avSPL, 60);
  EXPECT_EQ(s.aOct.score, 17);

  ASSERT_TRUE(ReadNextRecord(s, ctx));
  EXPECT_EQ(s.NrTime.Mn, 5001);
  EXPECT_FALSE(s.MinON);
  EXPECT_TRUE(s.PrevMinON);
  EXPECT_EQ(s.BatInUse, 2);
  ASSERT_TRUE(ReadNextRecord(s, ctx));
  EXPECT_EQ(s.NrType, tEnd);
  EXPECT_FALSE(s.InPlay);
}

TEST_F(ReaderTest, AmplitudesServeTheirWavePairsAndMicAdjustmentScales) {
  std::vector<SyntheticMinute> ms(1);
  ms[0].records = {testing::WaveGroup(10)};
  ms[0].records[0][11] = 10;
  ms[0].records[0][12] = 20;
  ms[0].records[0][13] = 30;
  ms[0].records[0][14] = 40;
  TFileRec& s = Open("amp.ZV1", MakeHeader(10, 10), ms);
  ReaderContext ctx{host};
  ctx.options.MicAdjustment = true;
  ReadNextUsedRecord(s, ctx);
  ReadNextUsedRecord(s, ctx);
  const std::array<int32_t, 8> want{10, 20, 10, 20, 30, 40, 30, 40};
  EXPECT_EQ(s.aOct.AMPs, want);
  EXPECT_EQ(s.aOct.avSPL, 25);
  EXPECT_EQ(s.aOct.SPLinUse, DefaultKHZcalib()[39 / 4] * 25 / 16);
}

TEST_F(ReaderTest, ExtendedIpisWhenTheFormatSaysSo) {
  HeaderBytes h = MakeHeader(10, 10);
  h[hdr::kDataFormatVersion] = 101;
  std::vector<SyntheticMinute> ms(1);
  ms[0].records = {WaveGroup(10, 200)};
  TFileRec& s = Open("ext.ZV1", h, ms);
  ReaderContext ctx{host};
  ReadNextUsedRecord(s, ctx);
  ReadNextUsedRecord(s, ctx);
  EXPECT_EQ(s.aOct.IPIs[0], 288);
  EXPECT_EQ(s.aOct.KHZs[0], KhzOfIpi(288));
}

TEST_F(ReaderTest, ZV2CallAndItsWaveGroups) {
  tCall c;
  c.StartTime = 1234;
  c.Number = 7;
  c.Fmax = 90;
  c.Fmin = 45;
  c.nSelOctInCall = 1;
  c.SpN = 3;
  const auto rec = EncodeCall(c);
  std::vector<SyntheticMinute> ms(1);
  ms[0].records = {rec[0], rec[1], rec[2],
                   EncodeZV2WaveGroup(1300, {10, 10, 10, 10}, {50, 50, 50, 50}, true, false, 7, tfCFflat, 12)};
  TFileRec& s = Open("c.ZV2", MakeHeader(10, 10), ms);
  ReaderContext ctx{host};
  ReadNextUsedRecord(s, ctx);
  ASSERT_TRUE(ReadNextRecord(s, ctx) == false);  // A
  ASSERT_TRUE(ReadNextRecord(s, ctx) == false);  // B
  ASSERT_TRUE(ReadNextRecord(s, ctx));           // C
  EXPECT_EQ(s.NrType, tCallrec);
  EXPECT_TRUE(s.NewCall);
  EXPECT_EQ(s.aCall.Number, 7);
  EXPECT_EQ(s.aCall.Frange, 45);
  EXPECT_EQ(s.aCall.SpN, 3);
  EXPECT_TRUE(s.aCall.SeqFits);
  ASSERT_TRUE(ReadNextRecord(s, ctx));
  EXPECT_EQ(s.NrType, tOctet);
  EXPECT_EQ(s.aOct.IPIsum, 404);
  EXPECT_EQ(s.aOct.avF, 79);
  EXPECT_EQ(s.aOct.OctHmic, 1);
  EXPECT_EQ(s.FeatureClass, tfCFflat);
}

// Rejects every call: its wave groups must not reach the caller either.
struct RejectCalls : RecordFilter {
  bool CallAccepted(const TFileRec&) const override { return false; }
};
struct ExcludeMinutes : RecordFilter {
  bool MinuteFiltersOn() const override { return true; }
  bool MinuteExcluded(const TFileRec&) const override { return true; }
};

TEST_F(ReaderTest, FiltersHideWhatTheyRejectUnlessIgnored) {
  const auto rec = EncodeCall(tCall{});
  std::vector<SyntheticMinute> ms(1);
  ms[0].records = {rec[0], rec[1], rec[2], EncodeZV2WaveGroup(5, {}, {50, 50, 50, 50}, false, false, 0, tfNotFeature, 1)};
  TFileRec& s = Open("f.ZV2", MakeHeader(10, 10), ms);
  auto countUsed = [&](const RecordFilter& f, bool ignore) {
    SeekToMinuteStart(slots, 1, 10, host, false);
    ReaderContext ctx{host, &f};
    ctx.options.IgnoreFilters = ignore;
    int used = 0;
    while (s.InPlay) used += ReadNextRecord(s, ctx) ? 1 : 0;
    return used;
  };
  RejectCalls reject;
  ExcludeMinutes exclude;
  EXPECT_EQ(countUsed(reject, false), 2);  // minute + end
  EXPECT_EQ(countUsed(exclude, false), 2);
  EXPECT_EQ(countUsed(reject, true), 4);   // minute, call, wave group, end
}

TEST_F(ReaderTest, MarkingChangesOnlyBitZeroOfFlagsByte) {
  tCall c;
  c.Reverb = true;
  const auto rec = EncodeCall(c);
  std::vector<SyntheticMinute> ms(2);
  ms[0].records = {rec[0], rec[1], rec[2], WaveGroup(5)};
  ms[1].records = {rec[0], rec[1], rec[2]};
  TFileRec& s = Open("m.ZV2", MakeHeader(10, 11), ms);
  const std::string path = s.FullFileName;
  const auto before = testing::ReadAll(path);
  ReaderContext ctx{host};
  ctx.options.Mark = MarkMode::Mark;
  SeekToMinuteStart(slots, 1, 10, host, false);
  while (s.InPlay) ReadNextRecord(s, ctx);
  CloseAllSlots(slots);
  const auto after = testing::ReadAll(path);
  ASSERT_EQ(before.size(), after.size());
  int changed = 0;
  for (size_t i = 0; i < after.size(); ++i) {
    if (before[i] == after[i]) continue;
    ++changed;
    EXPECT_EQ(before[i] ^ after[i], 0x01) << i;
    EXPECT_EQ(after[i - kFlagsByte], kIdCallC) << i;
  }
  EXPECT_EQ(changed, 2);

  // Unmarking restores the original bytes.
  ASSERT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
  ctx.options.Mark = MarkMode::Unmark;
  SeekToMinuteStart(slots, 1, 10, host, false);
  while (slots[1].InPlay) ReadNextRecord(slots[1], ctx);
  CloseAllSlots(slots);
  EXPECT_EQ(testing::ReadAll(path), before);
}

TEST_F(ReaderTest, OddRecordsReportedOnlyInAdministratorMode) {
  std::vector<SyntheticMinute> ms(1);
  Record bad{};
  bad[0] = 0xC0;
  Record runErr{};
  runErr[0] = kIdRunError;
  runErr[1] = 4;
  runErr[2] = 2;
  const std::string text = "LOW BATTERY!!";
  std::copy(text.begin(), text.end(), runErr.begin() + 3);
  Record fc{};
  fc[0] = kIdImportSuppressed;
  fc[1] = 1;
  fc[2] = 2;
  ms[0].records = {bad, runErr, bad, fc, fc};
  TFileRec& s = Open("odd.ZV1", MakeHeader(20, 25), ms);
  ReaderContext ctx{host};
  while (s.InPlay) ReadNextRecord(s, ctx);
  EXPECT_TRUE(host.timed.empty());
  EXPECT_TRUE(host.lines.empty());

  // Read again from the start, unmapped, so the header still promises minutes up to 25.
  host.admin = true;
  const std::string path = s.FullFileName;
  ASSERT_TRUE(OpenFileInSlot(slots, path, 1, host, {.mapAtOpening = false}).opened);
  while (slots[1].InPlay) ReadNextRecord(slots[1], ctx);
  const auto errors = host.Lines(Memo::ErrorsMemo);
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[0], "odd.ZV1 Record identifier error at minute = 20\t192");
  EXPECT_EQ(errors[1], "Run error \tCode 4.2\tLOW BATTERY!!");
  EXPECT_EQ(errors[2], "20\t192");
  EXPECT_TRUE(host.SaidTimed("odd.ZV1 Record identifier error. View ErrorMemo later"));
  EXPECT_TRUE(host.SaidTimed("Run error \tCode 252.12\t............."));
  EXPECT_TRUE(host.SaidTimed("Record identifier  = 252"));
  EXPECT_EQ(host.Lines(Memo::DataMemo), std::vector<std::string>{"Record identifier  = 252"});
  // The header's last minute is 25 but the end record comes after minute 20.
  EXPECT_TRUE(host.SaidTimed("File error: Termination marker found 5 minutes before file end "));
}

TEST_F(ReaderTest, TruncatedWhileOpenEndsQuietlyAndNeverGrowsTheFile) {
  const auto rec = EncodeCall(tCall{});
  std::vector<SyntheticMinute> ms = testing::RegularMinutes(3, 100);
  ms[2].records = {rec[0], rec[1], rec[2]};
  TFileRec& s = Open("t.ZV2", MakeHeader(30, 32), ms);
  ReaderContext ctx{host};
  ctx.options.Mark = MarkMode::Mark;
  ReadNextUsedRecord(s, ctx);  // the whole file is now in the buffer
  std::filesystem::resize_file(s.FullFileName, 1024 + 16 * 50);
  int guard = 0;
  while (s.InPlay && ++guard < 100000) ReadNextRecord(s, ctx);
  EXPECT_LT(guard, 100000);
  EXPECT_EQ(s.NrType, tEnd);
  EXPECT_TRUE(host.SaidTimed("Writeback failed"));
  CloseAllSlots(slots);
  EXPECT_EQ(std::filesystem::file_size(dir.File("t.ZV2")), 1024u + 16 * 50);
}

}  // namespace
}  // namespace zorvel
