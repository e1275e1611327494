#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/Bytes.h"
#include "core/Header.h"
#include "core/TimeBase.h"
#include "import/ImportFixture.h"
#include "import/SdImport.h"
#include "import/Zv1Reading.h"

namespace zorvel {
namespace {

namespace fs = std::filesystem;
using testing::Group;
using testing::Minute;
using testing::WriteLoggerFile;

std::vector<uint8_t> Header(int d, int h, int mi) {
  return testing::LoggerHeader(42, 2026, 7, d, h, mi);
}

struct ImportFixture : testing::ImportFixture {
  // Two files of one series: four minutes in all, one wave group with tick 0.
  void TwoFileSeries(const std::string& first, const std::string& second) {
    WriteLoggerFile(Sd(first), Header(14, 21, 5),
                    {Minute(), Group(100, 20), Group(0, 3), Minute(true, 1), Minute()});
    WriteLoggerFile(Sd(second), Header(14, 21, 8), {Group(50, 9), Minute()});
  }
};

const char kZv1[] = "Wood 2026 07 14 ZORVEL_0042 file0.ZV1";

// Record 0 is a wave group: the first minute record copied opens the start minute, so the
// header ends one minute before the count of minute records would put it.
TEST_F(ImportFixture, LastMinuteWhenRecordZeroIsNotAMinuteRecord) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(14, 21, 5),
                  {Group(100), Minute(true, 1), Group(200), Minute(true, 1), Minute(), Group(300)});
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed) << r.Error;
  const auto f = testing::ReadAll(Out(kZv1));
  ASSERT_GT(f.size(), 1024u);
  const int32_t start = *MinuteNumber(2026, 7, 14, 21, 5);
  EXPECT_EQ(Be32(&f[hdr::kLastLoggedMin]), start + 2);
  EXPECT_EQ(testing::ReadZv1(Out(kZv1)).lastMinute, start + 2) << "the reader agrees";
}

TEST_F(ImportFixture, OneSeriesOfTwoFilesIntoOneZv1ByteForByte) {
  TwoFileSeries("0BAT000.NXQ", "0BAT001.NXQ");
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed) << r.Error;
  ASSERT_EQ(r.MadeFiles, std::vector<std::string>{Out(kZv1)});
  EXPECT_EQ(r.MinutesRead, 3);
  EXPECT_EQ(r.WaveGroups, 3);

  const auto f = testing::ReadAll(Out(kZv1));
  ASSERT_EQ(f.size(), 1024u + 8 * 16) << "record 0, six copied records, and the end record appended";
  const int32_t start = *MinuteNumber(2026, 7, 14, 21, 5);
  EXPECT_EQ(f[315], 2);
  EXPECT_EQ(Be32(&f[hdr::kFirstLoggedMin]), start);
  // Three minutes follow record 0, the one flagged 3 (listening on battery 1) among them.
  EXPECT_EQ(Be32(&f[hdr::kLastLoggedMin]), start + 3);
  EXPECT_EQ(Be32(&f[hdr::kStoredLastProcessMin]), start + 3);
  const uint8_t* rec = &f[1024];
  EXPECT_EQ(rec[0], kIdMinute);
  EXPECT_EQ(Be24(rec + 16), 100u);
  EXPECT_EQ(rec[16 + 15], 16);
  EXPECT_EQ(rec[32], kIdImportSuppressed);
  EXPECT_EQ(rec[32 + 15], 0);
  EXPECT_EQ(rec[48], kIdMinute);
  EXPECT_EQ(rec[64], kIdMinute);
  EXPECT_EQ(Be24(rec + 80), 50u) << "the second file's records follow from its byte 496";
  EXPECT_EQ(rec[80 + 15], 5);
  EXPECT_EQ(rec[96], kIdMinute);
  EXPECT_EQ(std::vector<uint8_t>(f.end() - 16, f.end()), std::vector<uint8_t>(16, 0xFF));

  const auto upload = host.Lines(Memo::UploadMemo);
  const std::vector<std::string> expected = {
      "Reading series\t" + Sd("0BAT000.NXQ"), std::string(kZv1) + "\t" + Sd("0BAT000.NXQ"),
      std::string(kZv1) + "\t" + Sd("0BAT001.NXQ"), std::string(kZv1) + "\t3m\t1440 /m", ""};
  EXPECT_EQ(upload, expected);
  EXPECT_EQ(host.Lines(Memo::DataMemo), std::vector<std::string>{"free\t" + Out(kZv1)});
  EXPECT_TRUE(host.SaidTimed("SD card reading completed"));
  EXPECT_EQ(OutFolder(), std::vector<std::string>{kZv1}) << "no temporary files left";

  const auto z = testing::ReadZv1(Out(kZv1));
  ASSERT_TRUE(z.opened);
  EXPECT_EQ(z.minutes, 4);
  EXPECT_EQ(z.waveGroups, 2) << "the tick-0 group is passed over by the reader";
  EXPECT_EQ(z.lastMinute, start + 3);
}

TEST_F(ImportFixture, LegacyNamesMakeOneSeries) {
  TwoFileSeries("ZORVEL0.NXQ", "ZORVEL1.NXQ");
  options.NoGapsInFileName = true;
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  ASSERT_EQ(r.MadeFiles.size(), 1u);
  EXPECT_EQ(fs::path(r.MadeFiles[0]).filename(), "Wood_2026_07_14_ZORVEL_0042_file0.ZV1");
  EXPECT_EQ(testing::ReadZv1(r.MadeFiles[0]).minutes, 4);
}

TEST_F(ImportFixture, EachSeriesMakesItsOwnFile) {
  TwoFileSeries("0BAT000.NXQ", "0BAT001.NXQ");
  WriteLoggerFile(Sd("1BAT000.NXQ"), Header(20, 22, 0), {Minute(), Group(9), Minute()});
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  ASSERT_EQ(r.MadeFiles.size(), 2u);
  EXPECT_EQ(fs::path(r.MadeFiles[1]).filename(), "Wood 2026 07 20 ZORVEL_0042 file1.ZV1");
  const auto z = testing::ReadZv1(r.MadeFiles[1]);
  EXPECT_EQ(z.firstLoggedMin, *MinuteNumber(2026, 7, 20, 22, 0));
  EXPECT_EQ(z.minutes, 2);
  EXPECT_EQ(z.waveGroups, 1);
  EXPECT_TRUE(host.HasLine(Memo::UploadMemo, "Wood 2026 07 20 ZORVEL_0042 file1.ZV1\t1m\t1440 /m"));
}

TEST_F(ImportFixture, SizeLimitStartsANewFileAtTheNextLoggerFile) {
  WriteLoggerFile(Sd("0BAT000.NXQ"), Header(14, 21, 5), {Minute(), Group(1), Group(2), Minute()});
  WriteLoggerFile(Sd("0BAT001.NXQ"), Header(14, 21, 6), {Minute(), Group(3), Minute()});
  WriteLoggerFile(Sd("0BAT002.NXQ"), Header(14, 21, 8), {Minute(), Group(4)});
  options.SizeLimitBytes = 1024 + 4 * 16;  // the first file alone reaches it
  const ImportResult r = Run();
  ASSERT_TRUE(r.Completed);
  ASSERT_EQ(r.MadeFiles.size(), 2u);
  EXPECT_EQ(fs::path(r.MadeFiles[0]).filename(), kZv1);
  EXPECT_EQ(fs::path(r.MadeFiles[1]).filename(), "Wood 2026 07 14 ZORVEL_0042 file0 part2.ZV1");
  const auto a = testing::ReadZv1(r.MadeFiles[0]), b = testing::ReadZv1(r.MadeFiles[1]);
  EXPECT_EQ(a.minutes, 2);
  EXPECT_EQ(a.waveGroups, 2);
  // The second file's record at 496 is record 0 of the new file and is not copied twice.
  EXPECT_EQ(b.firstLoggedMin, *MinuteNumber(2026, 7, 14, 21, 6));
  EXPECT_EQ(b.minutes, 3);
  EXPECT_EQ(b.waveGroups, 2);
  EXPECT_EQ(b.lastMinute, *MinuteNumber(2026, 7, 14, 21, 8));
  EXPECT_EQ(testing::ReadAll(r.MadeFiles[1]).size(), 1024u + 6 * 16);
}

TEST(Zv1SizeLimit, BytesFromGigabytesOrAnExactLimit) {
  ImportOptions o;
  EXPECT_EQ(Zv1SizeLimitBytes(o), int64_t{3} << 30);
  o.SizeLimitBytes = 5000;
  EXPECT_EQ(Zv1SizeLimitBytes(o), 5000);
}

}  // namespace
}  // namespace zorvel
