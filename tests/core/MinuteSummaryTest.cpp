#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "core/Bytes.h"
#include "core/MinuteMap.h"
#include "core/MinuteSummary.h"
#include "core/SlotFiles.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;
using testing::MakeHeader;
using testing::RecordingHost;
using testing::SyntheticMinute;
using testing::TempDir;
using testing::WaveGroup;

// A host that runs a hook at every progress step of the scan.
struct HookHost : RecordingHost {
  std::function<void()> onProgress;
  void Progress(std::string_view, int, int) override {
    if (onProgress) onProgress();
  }
};

std::vector<uint8_t> Bytes(const std::string& path) {
  return testing::ReadAll(path);
}
void PutBytes(const std::string& path, const std::vector<uint8_t>& b) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

class SummaryFileTest : public ::testing::Test {
 protected:
  TempDir dir{"summary"};
  FileSlots slots;
  HookHost host;

  // More than 100,000 records, so that map and summary files are written: 60 minutes of 1,700.
  std::string WriteLarge(const std::string& name, uint8_t ipi = 100, int minutes = 60) {
    const std::string path = dir.File(name);
    std::vector<SyntheticMinute> ms(static_cast<size_t>(minutes));
    for (int m = 0; m < minutes; ++m) {
      ms[m].values.LightN = static_cast<uint8_t>(m);
      for (int k = 0; k < 1700; ++k)
        ms[m].records.push_back(WaveGroup(100 + 7000 * k, static_cast<uint8_t>(ipi + k % 50), 60, k % 32));
    }
    EXPECT_TRUE(testing::WriteDataFile(path, MakeHeader(1000, 1000 + minutes - 1), ms));
    return path;
  }
  const MinuteSummary* OpenAndMap(const std::string& path) {
    EXPECT_TRUE(OpenFileInSlot(slots, path, 1, host, {.mapAtOpening = false}).opened);
    MapSlot(slots, 1, false, host);
    return slots[1].Summary.get();
  }
  static std::string SummaryOf(const std::string& path) { return SummaryFileName(path, ftZV1); }
};

TEST(MinuteSummaryLayout, OneMinuteInBytes) {
  // One minute: light 7, one wave group of IPIs 100 (avF 39) and amplitude bytes 60 (avSPL 60),
  // score 30 (layer 1), then call records that belong to nobody in a raw file.
  MinuteSummaryBuilder b(ftZV1, false, false);
  MinuteValues v;
  v.LightN = 7;
  v.MinON = true;
  b.MinuteRecord(EncodeMinuteRecord(v).data());
  b.WaveGroup(WaveGroup(500, 100, 60, 30).data());
  const auto sum = b.Finish({1234, 5678});
  const std::vector<uint8_t> bytes = sum->Serialise();
  ASSERT_EQ(bytes.size(), 64u + 20u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "ZVMINSUM");
  EXPECT_EQ(Le32(&bytes[8]), static_cast<int32_t>(kSummaryVersion));
  EXPECT_EQ(Le32(&bytes[16]), 1234);
  EXPECT_EQ(Le32(&bytes[24]), 5678);
  EXPECT_EQ(Le32(&bytes[32]), 1);   // minutes
  EXPECT_EQ(Le32(&bytes[36]), 1);   // ZV1
  EXPECT_EQ(Le32(&bytes[44]), 24);  // score split
  EXPECT_EQ(Le32(&bytes[48]), 20);  // body bytes
  EXPECT_EQ(Le32(&bytes[60]), 60);  // largest avSPL
  const std::vector<uint8_t> body(bytes.begin() + 64, bytes.end());
  const std::vector<uint8_t> want{19,  // block length
                                  7,  0,  20, 3,  0,
                                  0,  0,  0,          // light, clock, preamp, on + battery 1, voltages
                                  0,  0,              // layer 0: no rows
                                  1,  39, 1,  60, 3,  // layer 1: avF 39 once, avSPL 60, 60 div 16
                                  1,  60, 1,          //          avSPL 60 once
                                  0};                 // no calls
  EXPECT_EQ(body, want);
  MinuteDigest d;
  ASSERT_TRUE(sum->Minute(0, d));
  EXPECT_EQ(d.Octets(1), 0);
  EXPECT_EQ(d.Octets(2), 1);
  EXPECT_EQ(d.minuteRecord[6], 7);
  EXPECT_FALSE(sum->Minute(1, d));
}

TEST(MinuteSummaryLayout, CallsKeepTheirValuesAndWhenTheyAreCounted) {
  MinuteSummaryBuilder b(ftZV2, false, false);
  b.MinuteRecord(EncodeMinuteRecord({}).data());
  tCall c = testing::AcceptedCall(100, 1);
  c.CallType = tcCF;
  c.SpN = 9;
  c.ModalKHZ = 41;
  c.Flat1avIPI = 97;
  c.Duration100Musecs = 300;  // beyond a byte: kept in its compact code
  for (const Record& r : EncodeCall(c)) b.CallRecord(r.data());
  b.WaveGroup(
      EncodeZV2WaveGroup(100, {50, 50, 50, 50}, {60, 60, 60, 60}, false, false, 1, tfNotFeature, 28).data());
  b.WaveGroup(
      EncodeZV2WaveGroup(140, {50, 50, 50, 50}, {60, 60, 60, 60}, false, false, 1, tfNotFeature, 3).data());
  for (const Record& r : EncodeCall(c)) b.CallRecord(r.data());  // a second call with no wave groups
  const auto sum = b.Finish({1, 1});
  MinuteDigest d;
  ASSERT_TRUE(sum->Minute(0, d));
  ASSERT_EQ(d.calls.size(), 2u);
  tCall decoded;
  const auto recs = EncodeCall(c);
  DecodeCallA(recs[0].data(), decoded);
  DecodeCallB(recs[1].data(), decoded);
  DecodeCallC(recs[2].data(), decoded);
  EXPECT_EQ(d.calls[0].call.CallType, tcCF);
  EXPECT_EQ(d.calls[0].call.SpN, 9);
  EXPECT_EQ(d.calls[0].call.ModalKHZ, 41);
  EXPECT_EQ(d.calls[0].call.Flat1KHZ, decoded.Flat1KHZ);
  EXPECT_EQ(d.calls[0].call.Duration100Musecs, decoded.Duration100Musecs);
  EXPECT_EQ(d.calls[0].flags, kSummaryCallCountedAny | kSummaryCallCountedLow);
  EXPECT_EQ(d.calls[1].flags, 0);
  EXPECT_EQ(d.Octets(1), 1);  // score 3
  EXPECT_EQ(d.Octets(2), 2);
}

TEST_F(SummaryFileTest, WrittenBesideALargeFileAndReadBackUnchanged) {
  const std::string path = WriteLarge("big.ZV1");
  const MinuteSummary* first = OpenAndMap(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->MinuteCount(), 60);
  ASSERT_TRUE(fs::exists(SummaryOf(path)));
  const std::vector<uint8_t> written = Bytes(SummaryOf(path));
  EXPECT_EQ(first->Serialise(), written);
  const auto stamp = fs::last_write_time(SummaryOf(path));
  CloseSlot(slots, 1);
  const MinuteSummary* second = OpenAndMap(path);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->Serialise(), written);
  EXPECT_EQ(fs::last_write_time(SummaryOf(path)), stamp);  // read, not rebuilt
  EXPECT_TRUE(host.timed.empty());
}

TEST_F(SummaryFileTest, UntrustworthySummariesAreRebuilt) {
  const std::string path = WriteLarge("big.ZV1");
  const std::string other = WriteLarge("other.ZV1", 40, 61);
  ASSERT_NE(OpenAndMap(path), nullptr);
  CloseSlot(slots, 1);
  ASSERT_NE(OpenAndMap(other), nullptr);
  CloseSlot(slots, 1);
  const std::vector<uint8_t> good = Bytes(SummaryOf(path));

  struct Damage {
    const char* what;
    std::function<void()> apply;
  };
  const std::vector<Damage> damages{
      {"truncated", [&] { PutBytes(SummaryOf(path), std::vector<uint8_t>(good.begin(), good.end() - 9)); }},
      {"header only",
       [&] { PutBytes(SummaryOf(path), std::vector<uint8_t>(good.begin(), good.begin() + 64)); }},
      {"empty", [&] { PutBytes(SummaryOf(path), {}); }},
      {"from another data file",
       [&] { fs::copy_file(SummaryOf(other), SummaryOf(path), fs::copy_options::overwrite_existing); }},
      {"older layout",
       [&] {
         std::vector<uint8_t> b = good;
         PutLe32(&b[8], 0);
         PutBytes(SummaryOf(path), b);
       }},
      {"a flipped body byte",
       [&] {
         std::vector<uint8_t> b = good;
         b[b.size() / 2] ^= 0x10;
         PutBytes(SummaryOf(path), b);
       }},
      {"data file touched since",
       [&] { fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5)); }},
  };
  for (const Damage& d : damages) {
    SCOPED_TRACE(d.what);
    d.apply();
    const MinuteSummary* sum = OpenAndMap(path);
    ASSERT_NE(sum, nullptr);
    const std::vector<uint8_t> now = Bytes(SummaryOf(path));
    EXPECT_EQ(sum->Serialise(), now);
    // Apart from the stamp, the rebuilt summary is the one first made.
    EXPECT_TRUE(std::equal(now.begin() + 32, now.end(), good.begin() + 32));
    EXPECT_EQ(sum->Stamp(), StampOf(path));
    EXPECT_TRUE(host.timed.empty());
    CloseSlot(slots, 1);
  }
}

TEST_F(SummaryFileTest, AFileThatChangesWhileScannedGetsNoSummary) {
  const std::string path = WriteLarge("big.ZV1");
  bool touched = false;
  host.onProgress = [&] {
    if (touched) return;
    touched = true;
    fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(3));
  };
  EXPECT_EQ(OpenAndMap(path), nullptr);
  EXPECT_TRUE(touched);
  EXPECT_TRUE(slots[1].Mapped);  // the map still serves; screens read the records
  EXPECT_FALSE(fs::exists(SummaryOf(path)));
  CloseSlot(slots, 1);
  host.onProgress = nullptr;
  EXPECT_NE(OpenAndMap(path), nullptr);  // the next opening summarises it
}

TEST_F(SummaryFileTest, ASummaryThatCannotBeWrittenServesFromMemory) {
  const std::string path = WriteLarge("big.ZV1");
  fs::create_directory(SummaryOf(path));  // nothing can be renamed into its place
  const MinuteSummary* sum = OpenAndMap(path);
  ASSERT_NE(sum, nullptr);
  EXPECT_EQ(sum->MinuteCount(), 60);
  EXPECT_TRUE(fs::is_directory(SummaryOf(path)));
  EXPECT_TRUE(host.timed.empty());
}

TEST_F(SummaryFileTest, SmallFilesAreSummarisedInMemoryOnly) {
  const std::string path = dir.File("small.ZV1");
  ASSERT_TRUE(testing::WriteDataFile(path, MakeHeader(10, 12), testing::RegularMinutes(3, 4)));
  const MinuteSummary* sum = OpenAndMap(path);
  ASSERT_NE(sum, nullptr);
  EXPECT_EQ(sum->MinuteCount(), 3);
  EXPECT_FALSE(fs::exists(SummaryOf(path)));
}

TEST_F(SummaryFileTest, ReadingNeverChangesTheDataFile) {
  const std::string path = WriteLarge("big.ZV1");
  const std::vector<uint8_t> before = Bytes(path);
  ASSERT_NE(OpenAndMap(path), nullptr);
  CloseSlot(slots, 1);
  EXPECT_EQ(Bytes(path), before);
}

}  // namespace
}  // namespace zorvel
