// Call finding reads its ZV1 file without changing a byte of it, and wave groups whose time runs
// backwards are left out exactly as if they had been marked in the file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "SynthNight.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Bytes.h"
#include "core/Header.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

// The minutes with wave groups that run backwards: copies of earlier octets put late again.
std::vector<std::vector<Record>> MinutesWithBackwardTimes() {
  std::mt19937 rng(11);
  std::vector<std::vector<Record>> minutes;
  for (int m = 0; m < 3; ++m) {
    std::vector<synth::Octet> octets;
    int32_t t = 1'000'000;
    for (int c = 0; c < 10; ++c, t += 16'000) synth::AddSweepCall(octets, t, 75, 46, 1.5, 4.0, rng);
    std::vector<Record> records = synth::MinuteRecords(octets);
    for (size_t k = 20; k + 3 < records.size(); k += 37) records.insert(records.begin() + k, records[k - 9]);
    minutes.push_back(std::move(records));
  }
  return minutes;
}

// The same records with each backward wave group's first byte set to 0xFB, as older versions
// left them: the comparison runs with the previous wave group's time, marked or not, per minute.
void MarkBackwardWaveGroups(std::vector<uint8_t>& bytes) {
  int32_t prev = -1;
  for (size_t at = 1024; at + 16 <= bytes.size(); at += 16) {
    uint8_t* r = &bytes[at];
    if (r[0] == kIdMinute) prev = -1;
    if (r[0] > kLastWaveGroupId) continue;
    const int32_t tick = (r[0] << 16) | (r[1] << 8) | r[2];
    if (tick < prev && tick > 0) r[0] = kIdScanSuppressed;
    prev = tick;
  }
}

TEST(ReadOnlyInput, FindingCallsLeavesTheZV1AsItWasAndSkipsBackwardWaveGroups) {
  PopulatePrecalculatedArrays();
  const fs::path dir = fs::temp_directory_path() / ("zorvel_cf_ro_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string plain = (dir / "plain.ZV1").string();
  const std::string marked = (dir / "marked.ZV1").string();
  ASSERT_TRUE(synth::WriteZv1(plain, 60'000'000, MinutesWithBackwardTimes()));
  const std::vector<uint8_t> before = test::FileBytes(plain);
  std::vector<uint8_t> markedBytes = before;
  MarkBackwardWaveGroups(markedBytes);
  ASSERT_NE(markedBytes, before);
  {
    std::FILE* f = std::fopen(marked.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(markedBytes.data(), 1, markedBytes.size(), f);
    std::fclose(f);
  }
  test::RecordingHost host;
  KeepAwake none;
  BatchOptions o;
  o.Jobs = 1;
  const BatchResult r = RunCallFindingBatch({plain, marked}, o, host, none);
  ASSERT_EQ(r.zv2Files.size(), 2u);
  EXPECT_EQ(test::FileBytes(plain), before);
  EXPECT_EQ(test::FileBytes(marked), markedBytes);
  const auto fromPlain = test::FileBytes(WithExtension(plain, ".ZV2"));
  EXPECT_GT(fromPlain.size(), 1024u + 16u * 3u * 50u);
  EXPECT_TRUE(fromPlain == test::FileBytes(WithExtension(marked, ".ZV2")));
  fs::remove_all(dir);
}

// A ZV1 whose header does not give its last minute keeps that header; the ZV2 made from it gets
// the amended last minute and the wave-group count.
TEST(ReadOnlyInput, TheZV2CarriesTheLastMinuteAmendedInMemory) {
  PopulatePrecalculatedArrays();
  const fs::path dir = fs::temp_directory_path() / ("zorvel_cf_ro2_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string zv1 = (dir / "noend.ZV1").string();
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, MinutesWithBackwardTimes()));
  std::vector<uint8_t> bytes = test::FileBytes(zv1);
  PutBe32(&bytes[hdr::kLastLoggedMin], 60'000'000);
  PutBe32(&bytes[hdr::kStoredLastProcessMin], 0);
  {
    std::FILE* f = std::fopen(zv1.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  size_t waveGroups = 0;
  for (size_t at = 1024; at + 16 <= bytes.size(); at += 16)
    waveGroups += bytes[at] <= kLastWaveGroupId ? 1 : 0;
  test::RecordingHost host;
  KeepAwake none;
  BatchOptions o;
  o.Jobs = 1;
  ASSERT_EQ(RunCallFindingBatch({zv1}, o, host, none).zv2Files.size(), 1u);
  EXPECT_EQ(test::FileBytes(zv1), bytes);
  const auto zv2 = test::FileBytes(WithExtension(zv1, ".ZV2"));
  ASSERT_GT(zv2.size(), 1024u);
  EXPECT_EQ(Be32(&zv2[hdr::kLastLoggedMin]), 60'000'002);
  EXPECT_EQ(Be32(&zv2[hdr::kStoredLastProcessMin]), 60'000'002);
  EXPECT_EQ(Be32(&zv2[hdr::kWaveGroupCount]), static_cast<int32_t>(waveGroups));
  fs::remove_all(dir);
}

}  // namespace
}  // namespace zorvel
