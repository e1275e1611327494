#include <gtest/gtest.h>

#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

using testing::RecordingHost;
using testing::TempDir;

TEST(FileTypes, ByExtensionInAnyCase) {
  EXPECT_EQ(FileTypeOfPath("/a/b.ZV1"), ftZV1);
  EXPECT_EQ(FileTypeOfPath("b.zv2"), ftZV2);
  EXPECT_EQ(FileTypeOfPath("b.Zv3"), ftZV3);
  EXPECT_EQ(FileTypeOfPath("b.ZV1bak"), ftZV1);  // first four characters of the extension
  EXPECT_EQ(FileTypeOfPath("b.ZV"), ftUnknown);
  EXPECT_EQ(FileTypeOfPath("ZV1"), ftUnknown);
  RecordingHost host;
  EXPECT_FALSE(IsDataFile("/sd/0BAT000.NXQ", host));
  EXPECT_TRUE(host.SaidTimed("This is an SDcard file that can be read via the 'Read SD' page"));
}

TEST(Opening, SizeLimitsAndMessages) {
  TempDir dir("open");
  RecordingHost host;
  FileSlots slots;
  testing::WriteAll(dir.File("small.ZV1"), std::vector<uint8_t>(1023, 0));
  EXPECT_FALSE(OpenFileInSlot(slots, dir.File("small.ZV1"), 1, host, {}).opened);
  EXPECT_TRUE(host.SaidTimed(dir.File("small.ZV1") + " is too small to hold any data "));
  EXPECT_FALSE(slots[1].Open);
  EXPECT_FALSE(OpenFileInSlot(slots, dir.File("missing.ZV1"), 1, host, {}).opened);
  EXPECT_TRUE(host.SaidTimed(dir.File("missing.ZV1") + " not opened successfully."));
  EXPECT_FALSE(OpenFileInSlot(slots, dir.File("x.txt"), 1, host, {}).opened);
  EXPECT_TRUE(host.SaidTimed("File type not recognised "));
  EXPECT_FALSE(OpenFileInSlot(slots, dir.File("x.ZV1"), 7, host, {}).opened);

  // Batch runs open quietly.
  host.timed.clear();
  OpenOptions batch;
  batch.batchRunning = true;
  EXPECT_FALSE(OpenFileInSlot(slots, dir.File("small.ZV1"), 1, host, batch).opened);
  EXPECT_TRUE(host.timed.empty());

  // 1024 bytes with a sound header: opens, after saying the header block was short.
  const auto h = testing::MakeHeader(10, 10);
  testing::WriteAll(dir.File("hdr.zv1"), std::vector<uint8_t>(h.begin(), h.end()));
  EXPECT_TRUE(OpenFileInSlot(slots, dir.File("hdr.zv1"), 1, host, {}).opened);
  EXPECT_TRUE(host.SaidTimed("Too few bytes read from file"));
  EXPECT_EQ(slots[1].FileType, ftZV1);
}

TEST(Opening, RandomBytesAfterAValidHeaderNeverHang) {
  TempDir dir("random");
  RecordingHost host;
  FileSlots slots;
  const auto h = testing::MakeHeader(50, 60);
  std::vector<uint8_t> bytes(h.begin(), h.end());
  uint32_t x = 12345;
  for (int i = 0; i < 16 * 5000; ++i) {
    x = x * 1664525u + 1013904223u;
    bytes.push_back(static_cast<uint8_t>(x >> 24));
  }
  testing::WriteAll(dir.File("rnd.ZV2"), bytes);
  ASSERT_TRUE(OpenFileInSlot(slots, dir.File("rnd.ZV2"), 1, host, {}).opened);
  ReaderContext ctx{host};
  for (int32_t m = 40; m <= 62; m += 3) PositionSlot(slots, 1, TRecTime{m, 100}, ctx, false);
  PositionSlot(slots, 1, TRecTime{0, 0}, ctx, false);
  int n = 0;
  while (slots[1].InPlay && n < 100000) {
    ReadNextRecord(slots[1], ctx);
    ++n;
  }
  EXPECT_LT(n, 100000);
}

TEST(Slots, VacancyCaptionsAndTitle) {
  TempDir dir("slots");
  RecordingHost host;
  FileSlots slots;
  EXPECT_EQ(OpenButtonCaption(slots.OpenCount()), "Open up to 6 unrelated files");
  for (int i = 1; i <= 3; ++i) {
    const std::string p = dir.File("f" + std::to_string(i) + ".ZV1");
    ASSERT_TRUE(testing::WriteDataFile(p, testing::MakeHeader(10, 11), testing::RegularMinutes(2, 2)));
    ASSERT_TRUE(OpenFileInSlot(slots, p, slots.LowestFreeSlot(), host, {}).opened);
  }
  EXPECT_EQ(WindowTitle(slots), "Zorvel.exe  f1.ZV1");
  EXPECT_EQ(SkipBoxCaption(slots[2]), "Skip on f2.ZV1");
  CloseSlot(slots, 3);
  EXPECT_TRUE(slots[1].Open);
  EXPECT_TRUE(slots[2].Open);
  EXPECT_EQ(OpenButtonCaption(slots.OpenCount()), "Open up to 4 files");
  EXPECT_EQ(OpenButtonCaption(6), "(all file slots in use)");
  CloseSlot(slots, 1);
  EXPECT_EQ(WindowTitle(slots), "Zorvel.exe  f2.ZV1");

  const TFileRec& v = slots[1];
  EXPECT_EQ(v.FileLbl, "(File 1 - vacant)");
  EXPECT_EQ(v.ZorvelIDstr, "0");
  EXPECT_EQ(v.NrTime, (TRecTime{100'000'000, 0}));
  EXPECT_EQ(v.BufPosn, 100'000'000);
  EXPECT_EQ(v.HalfDegCpreamp, -5);
  EXPECT_EQ(v.LightSwitchLevel, 255);
  EXPECT_EQ(v.FileMinutecountLimit, 65536);
  EXPECT_EQ(v.HousingVersion, htUnknown);
  EXPECT_EQ(v.KHZcalib[9], 250);
  EXPECT_EQ(v.KHZcalib[64], 4);
  EXPECT_TRUE(v.CallOK);
  EXPECT_FALSE(v.Infile);
  EXPECT_TRUE(v.FBuf.empty());
}

TEST(Neighbours, PreviousAndNextFileOfAnImport) {
  TempDir dir("neigh");
  for (const char* n : {"Wood 2026 05 01 ZORVEL_1 file1.ZV1", "Wood 2026 05 01 ZORVEL_1 file2.ZV1",
                        "Wood file09.ZV1", "Wood file10.ZV1"})
    testing::WriteAll(dir.File(n), {1});
  const std::string f1 = dir.File("Wood 2026 05 01 ZORVEL_1 file1.ZV1");
  EXPECT_EQ(NextFileName(f1), dir.File("Wood 2026 05 01 ZORVEL_1 file2.ZV1"));
  EXPECT_EQ(PreviousFileName(f1), "");
  EXPECT_EQ(PreviousFileName(dir.File("Wood 2026 05 01 ZORVEL_1 file2.ZV1")), f1);
  EXPECT_EQ(NextFileName(dir.File("Wood 2026 05 01 ZORVEL_1 file2.ZV1")), "");
  EXPECT_EQ(NextFileName(dir.File("Wood file09.ZV1")), dir.File("Wood file10.ZV1"));
  EXPECT_EQ(NextFileName(dir.File("nofilenumber.ZV1")), "");
}

}  // namespace
}  // namespace zorvel
