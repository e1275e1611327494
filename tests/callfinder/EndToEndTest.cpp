// The run from synthetic ZV1 files to ZV2 files, read back through the record reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "SynthNight.h"
#include "TestHost.h"
#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/AtomicFile.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    PopulatePrecalculatedArrays();
    dir_ = fs::temp_directory_path() / ("zorvel_cf_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  BatchResult Run(const std::vector<std::string>& files, BatchOptions o = {}) {
    if (o.Jobs == 0) o.Jobs = 1;
    KeepAwake none;
    return RunCallFindingBatch(files, o, host_, none);
  }

  fs::path dir_;
  test::RecordingHost host_;
};

TEST_F(EndToEnd, PipistrelleLikePassIsFoundMeasuredAndClassed) {
  std::mt19937 rng(7);
  std::vector<synth::Octet> octets;
  int32_t t = 1'000'000;
  for (int c = 0; c < 10; ++c, t += 16'000) synth::AddSweepCall(octets, t, 75, 46, 1.5, 4.0, rng);
  const std::string zv1 = Path("pass.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(octets)}));
  const BatchResult r = Run({zv1});
  ASSERT_EQ(r.processed, 1);
  ASSERT_EQ(r.zv2Files.size(), 1u);
  const auto calls = test::ReadZv2Calls(r.zv2Files[0]);
  ASSERT_EQ(calls.size(), 10u);
  for (size_t i = 0; i < calls.size(); ++i) {
    const tCall& c = calls[i].call;
    SCOPED_TRACE(i);
    EXPECT_EQ(c.StartTime, 1'000'000 + 16'000 * static_cast<int32_t>(i));
    EXPECT_EQ(c.FlightN, 111);
    EXPECT_NEAR(c.Fend, 45, 2);
    EXPECT_GE(c.Fstart, 65);
    EXPECT_NEAR(c.Duration100Musecs, 55, 6);
    EXPECT_EQ(c.nSelOctInCall, static_cast<int32_t>(calls[i].octetTicks.size()));
    EXPECT_EQ(c.CallType, tcQCF);
    EXPECT_EQ(c.SpN, 3);  // CmnPip: ten in a row
  }
}

TEST_F(EndToEnd, TwoJobsWriteTheSameBytesAsOne) {
  std::mt19937 rng(3);
  std::vector<std::vector<Record>> minutes;
  // Enough minutes for several groups, so both workers read, process and write.
  for (int m = 0; m < 40; ++m)
    minutes.push_back(synth::MinuteRecords(synth::PassMinute(rng, 4, 15, 45 + 5 * (m % 3), 3000)));
  const std::string zv1 = Path("night.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, minutes));
  BatchOptions one;
  one.Jobs = 1;
  one.settings.ExportToClassifier = true;
  one.classifierExportPath = Path("one.txt");
  ASSERT_EQ(Run({zv1}, one).zv2Files.size(), 1u);
  const auto bytesOne = test::FileBytes(WithExtension(zv1, ".ZV2"));
  BatchOptions two = one;
  two.Jobs = 2;
  two.classifierExportPath = Path("two.txt");
  ASSERT_EQ(Run({zv1}, two).zv2Files.size(), 1u);
  const auto bytesTwo = test::FileBytes(WithExtension(zv1, ".ZV2"));
  ASSERT_GT(bytesOne.size(), 1024u + 16u * 40u * 50u);  // many calls were found
  EXPECT_TRUE(bytesOne == bytesTwo);
  EXPECT_TRUE(test::FileBytes(Path("one.txt")) == test::FileBytes(Path("two.txt")));
  // The header is the ZV1's with the finder's version byte cleared and the classifier named.
  const auto zv1Bytes = test::FileBytes(zv1);
  EXPECT_EQ(bytesOne[7], 0);
  EXPECT_EQ(std::string(bytesOne.begin() + 315, bytesOne.begin() + 323), "British0");
  EXPECT_EQ(bytesOne[323], 0);
  EXPECT_TRUE(std::equal(bytesOne.begin(), bytesOne.begin() + 7, zv1Bytes.begin()));
  std::vector<uint8_t> end(16, 0xFF);
  EXPECT_TRUE(std::equal(end.begin(), end.end(), bytesOne.end() - 16));
}

TEST_F(EndToEnd, ShortMinutesKeepTheirMinuteRecordOnly) {
  std::mt19937 rng(5);
  std::vector<Record> three = {synth::MinuteRecords({}).front()};
  for (int i = 0; i < 3; ++i)
    three.push_back(
        EncodeZV1WaveGroup(1000 + 40 * i, {90, 90, 90, 90, 90, 90, 90, 90}, {160, 160, 160, 160}, 20));
  std::vector<synth::Octet> pass;
  for (int c = 0; c < 8; ++c) synth::AddSweepCall(pass, 100'000 + 16'000 * c, 75, 46, 1.5, 4.0, rng);
  const std::string zv1 = Path("short.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {three, synth::MinuteRecords(pass), three}));
  const BatchResult r = Run({zv1});
  ASSERT_EQ(r.zv2Files.size(), 1u);
  const auto bytes = test::FileBytes(r.zv2Files[0]);
  // Header, the first minute's record, the second minute's record and calls, the third's record, end.
  EXPECT_EQ(bytes[1024], kIdMinute);
  EXPECT_EQ(bytes[1040], kIdMinute);
  EXPECT_EQ(bytes[1056], kIdCallA);
  EXPECT_EQ(bytes[bytes.size() - 32], kIdMinute);
  const auto calls = test::ReadZv2Calls(r.zv2Files[0]);
  ASSERT_EQ(calls.size(), 8u);
  EXPECT_EQ(calls[0].minute, 60'000'001);
}

TEST_F(EndToEnd, SkipExistingTooSmallAndMissingFiles) {
  std::mt19937 rng(9);
  const std::string zv1 = Path("a.ZV1");
  ASSERT_TRUE(
      synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(synth::PassMinute(rng, 1, 8, 45, 100))}));
  const std::string zv2 = WithExtension(zv1, ".ZV2");
  ASSERT_TRUE(WriteWholeFile(zv2, "old", 3));
  const std::string tiny = Path("tiny.ZV1");
  ASSERT_TRUE(WriteWholeFile(tiny, std::string(800, '\0').data(), 800));
  BatchOptions o;
  o.SkipIfZV2exists = true;
  const BatchResult r = Run({zv1, tiny, Path("missing.ZV1")}, o);
  EXPECT_EQ(r.processed, 0);
  EXPECT_EQ(r.failed, 2);
  EXPECT_EQ(test::FileBytes(zv2).size(), 3u);
  const auto lines = host_.DataLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0].substr(0, 30), "File\tdays\twaves(excBz)\tCalls\tB");
  EXPECT_EQ(lines[1], zv1 + "\tZV2 exists");
  EXPECT_EQ(lines[2], tiny + "\ttoo small to contain a call");
  EXPECT_EQ(lines[3], Path("missing.ZV1") + "\tfile not found");
  EXPECT_EQ(r.statusLine1, "Files processed\t0/3");
  EXPECT_EQ(r.statusLine2, "Some files could not be processed .... see Results page");
  EXPECT_EQ(r.failedLine, "2 of 3 files failed");
}

TEST_F(EndToEnd, AStopDuringTheThirdFileKeepsTheFirstTwo) {
  std::mt19937 rng(4);
  std::vector<std::string> files;
  for (int f = 0; f < 4; ++f) {
    files.push_back(Path("f" + std::to_string(f) + ".ZV1"));
    ASSERT_TRUE(synth::WriteZv1(files.back(), 60'000'000,
                                {synth::MinuteRecords(synth::PassMinute(rng, 1, 8, 45, 100))}));
  }
  host_.stopAfterChecks = 2;  // asked between the files: after the first, second, third …
  const BatchResult r = Run(files);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.processed, 3);
  EXPECT_TRUE(fs::exists(WithExtension(files[0], ".ZV2")));
  EXPECT_TRUE(fs::exists(WithExtension(files[1], ".ZV2")));
  EXPECT_FALSE(fs::exists(WithExtension(files[2], ".ZV2")));
  EXPECT_FALSE(fs::exists(WithExtension(files[3], ".ZV2")));
  const auto lines = host_.DataLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.back(), std::string(74, ' ') + "X ---------   Process aborted  --------- X");
  EXPECT_EQ(lines[lines.size() - 2], "");
  EXPECT_EQ(r.finalStatus, "Call finding process aborted");
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos);
}

TEST_F(EndToEnd, The5000thCallOfAMinuteEndsItsSearch) {
  std::mt19937 rng(2);
  std::vector<synth::Octet> many;
  for (int c = 0; c < 5010; ++c) {
    int32_t t = 1000 + 2300 * c;
    for (int k = 0; k < 6; ++k) {
      many.push_back(synth::ToneOctet(t, 45, rng, 0, 160, 20));
      t += synth::OctetTicks(many.back());
    }
  }
  const std::string zv1 = Path("many.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(many)}));
  const BatchResult r = Run({zv1});
  ASSERT_EQ(r.zv2Files.size(), 1u);
  const auto calls = test::ReadZv2Calls(r.zv2Files[0]);
  ASSERT_EQ(calls.size(), 5000u);
  EXPECT_EQ(calls.back().call.Number, 5000);
  EXPECT_EQ(std::count(host_.messages.begin(), host_.messages.end(),
                       "Limit on number of calls in 1 minute reached (5000)"),
            1);
}

TEST_F(EndToEnd, BuzzesAreWrittenAsBuzzCallsUnlessSwitchedOff) {
  std::mt19937 rng(6);
  std::vector<synth::Octet> octets;
  octets.push_back(synth::ToneOctet(0, 40, rng, 0, 1, 9));
  synth::AddBuzz(octets, 200'000, 8, 4, 2000, 0.95, 44, rng);
  const std::string zv1 = Path("buzz.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(octets)}));
  const auto calls = test::ReadZv2Calls(Run({zv1}).zv2Files.at(0));
  ASSERT_FALSE(calls.empty());
  for (const auto& c : calls) {
    EXPECT_TRUE(c.call.BuzzCall);
    EXPECT_EQ(c.call.FlightN, 0);
    EXPECT_EQ(c.call.ModalKHZ, c.call.Fav);
    EXPECT_EQ(c.call.RisingIPIindex, -43);  // the stored byte is 0
  }
  BatchOptions off;
  off.settings.FindBuzzes = false;
  for (const auto& c : test::ReadZv2Calls(Run({zv1}, off).zv2Files.at(0))) EXPECT_FALSE(c.call.BuzzCall);
}

TEST_F(EndToEnd, DamagedFilesNeverCrashOrLeaveHalfFiles) {
  std::mt19937 rng(8);
  const std::string cut = Path("cut.ZV1");
  ASSERT_TRUE(synth::WriteZv1(cut, 60'000'000,
                              {synth::MinuteRecords(synth::PassMinute(rng, 1, 8, 45, 100)),
                               synth::MinuteRecords(synth::PassMinute(rng, 1, 8, 45, 100))}));
  fs::resize_file(cut, fs::file_size(cut) - 16 * 40 - 8);  // the map now promises more than the file holds
  const std::string noise = Path("noise.ZV1");
  std::vector<uint8_t> bytes(1024 + 16 * 3000);
  const HeaderBytes header = synth::Zv1Header(60'000'000, 60'000'000);
  std::copy(header.begin(), header.end(), bytes.begin());
  std::uniform_int_distribution<int> byte(0, 255);
  for (size_t i = 1024; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(byte(rng));
  bytes[1024] = kIdMinute;
  ASSERT_TRUE(WriteWholeFile(noise, bytes.data(), bytes.size()));
  const std::string blocked = Path("blocked.ZV1");
  ASSERT_TRUE(
      synth::WriteZv1(blocked, 60'000'000, {synth::MinuteRecords(synth::PassMinute(rng, 1, 8, 45, 100))}));
  fs::create_directory(WithExtension(blocked, ".ZV2"));  // the ZV2 name cannot become a file
  const BatchResult r = Run({cut, noise, blocked});
  EXPECT_EQ(r.processed, 2);
  EXPECT_GE(test::ReadZv2Calls(WithExtension(cut, ".ZV2")).size(), 8u);
  EXPECT_TRUE(fs::exists(WithExtension(noise, ".ZV2")));
  EXPECT_TRUE(fs::is_directory(WithExtension(blocked, ".ZV2")));
  ASSERT_EQ(r.failures.size(), 1u);  // the ZV2 that could not be made is a failure, not a success
  EXPECT_EQ(r.failures[0].path, blocked);
  EXPECT_EQ(r.failures[0].reason.rfind("the ZV2 file could not be written: ", 0), 0u) << r.failures[0].reason;
  EXPECT_EQ(r.statusLine1, "Files processed\t2/3");
  EXPECT_EQ(r.failedLine, "1 of 3 files failed");
  EXPECT_NE(std::find_if(host_.messages.begin(), host_.messages.end(),
                         [](const std::string& m) { return m.rfind("Failed to create ZV2 file ", 0) == 0; }),
            host_.messages.end());
  for (const auto& e : fs::directory_iterator(dir_))
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos);
}

TEST_F(EndToEnd, AJoinedCallReplacesThePriorCallsRecords) {
  std::mt19937 rng(12);
  std::vector<synth::Octet> octets;
  const int32_t aEnd = synth::AddSweepCall(octets, 500'000, 75, 46, 1.5, 3.0, rng);
  const size_t aOctets = octets.size();
  // A silence longer than the forward extension reaches, then the same tail goes on.
  int32_t t = aEnd + 150;
  for (int k = 0; k < 10; ++k) {
    octets.push_back(synth::ToneOctet(t, 45, rng, 0));
    t += synth::OctetTicks(octets.back()) + 1;
  }
  const std::string zv1 = Path("joined.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(octets)}));
  const auto calls = test::ReadZv2Calls(Run({zv1}).zv2Files.at(0));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].call.Number, 1);
  EXPECT_EQ(calls[0].call.StartTime, 500'000);
  // The forward extension runs while the candidate is before the minute's last octet, so that
  // octet itself is never appended.
  EXPECT_EQ(calls[0].call.nSelOctInCall, static_cast<int32_t>(aOctets + 9));
  EXPECT_EQ(calls[0].octetTicks.size(), aOctets + 9);
}

TEST_F(EndToEnd, OctetsSharingATickEndTheMinutesSearchAtThatSeed) {
  std::mt19937 rng(13);
  std::vector<synth::Octet> octets;
  synth::AddSweepCall(octets, 100'000, 75, 46, 1.5, 4.0, rng);
  const size_t first = octets.size();
  // Two octets at one moment where the next seed would start, then a good call.
  octets.push_back(synth::ToneOctet(300'000, 45, rng, 0));
  octets.push_back(synth::ToneOctet(300'000, 45, rng, 0));
  for (int k = 0; k < 3; ++k) octets.push_back(synth::ToneOctet(300'040 + 40 * k, 45, rng, 0));
  synth::AddSweepCall(octets, 500'000, 75, 46, 1.5, 4.0, rng);
  ASSERT_GT(octets.size(), first + 5);
  const std::string zv1 = Path("sametick.ZV1");
  ASSERT_TRUE(synth::WriteZv1(zv1, 60'000'000, {synth::MinuteRecords(octets)}));
  const auto calls = test::ReadZv2Calls(Run({zv1}).zv2Files.at(0));
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].call.StartTime, 100'000);
}

}  // namespace
}  // namespace zorvel
