// Recordings into data files: nights, overlaps, minutes on and off, the index beside each file,
// recognition on opening, and the bad inputs an import must survive.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TestWav.h"
#include "TestZc.h"
#include "core/FileRec.h"
#include "core/SlotFiles.h"
#include "core/TimeBase.h"
#include "core/WavIndex.h"
#include "recordings/Messages.h"
#include "recordings/RecordingList.h"
#include "recordings/RecordingsImport.h"
#include "recordings/WavCut.h"
#include "recordings/WavReader.h"
#include "sound/WavSource.h"
#include "support/RecordingHost.h"
#include "support/TempDir.h"

namespace zorvel::rec {
namespace {

namespace fs = std::filesystem;
using zorvel::testing::ReadAll;
using zorvel::testing::RecordingHost;
using zorvel::testing::TempDir;
using zorvel::testing::WriteAll;

constexpr uint32_t kRate = 96'000;

std::string Guano(const std::string& timestamp) {
  return "GUANO|Version:1.0\nMake:Test\nModel:Rig 1\nSerial:1234\nLoc Position:52.1 -1.5\nTimestamp:" + timestamp;
}

// A recording with a 40 kHz call at atS.
void Recording(const std::string& path, const std::string& timestamp, double seconds, double atS = 0.2) {
  WriteAll(path, test::MonoWav(kRate, test::Tone(40, kRate, atS, atS + 0.008, seconds, 8000), Guano(timestamp)));
}

int32_t Minute(int y, int mo, int d, int h, int mi) { return *MinuteNumber(y, mo, d, h, mi); }

struct MinuteScan {
  std::vector<bool> on;     // MinON of each minute record, in order
  std::vector<int> groups;  // wave groups after each
  bool ticksInOrder = true;
};

MinuteScan Scan(const std::string& zv1) {
  const auto b = ReadAll(zv1);
  MinuteScan s;
  int32_t last = -1;
  for (size_t at = kHeaderBytes; at + 16 <= b.size(); at += 16) {
    if (b[at] == 0xFF) break;
    if (b[at] == 0xFE) {
      s.on.push_back(b[at + 10] & 1);
      s.groups.push_back(0);
      last = -1;
      continue;
    }
    const int32_t tick = b[at] << 16 | b[at + 1] << 8 | b[at + 2];
    if (tick < last) s.ticksInOrder = false;
    last = tick;
    ++s.groups.back();
  }
  return s;
}

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string l; std::getline(in, l);) out.push_back(l.substr(0, l.size() - (!l.empty() && l.back() == '\r')));
  return out;
}

class Import : public ::testing::Test {
 protected:
  RecordingsImportResult Run() { return ImportRecordings(options_, host_); }
  void SetUp() override {
    fs::create_directories(dir_.Path() / "in");
    options_.inputs = {(dir_.Path() / "in").string()};
    options_.outFolder = dir_ / "out";
    options_.place.location = "Pond";
  }
  std::string In(const std::string& name) const { return (dir_.Path() / "in" / name).string(); }
  TempDir dir_;
  RecordingsImportOptions options_;
  RecordingHost host_;
};

TEST_F(Import, NightsOverlapsMinutesAndTheIndex) {
  // Night of the 14th: across 22:00, three at 22:30 (two with one start, one overlapping them),
  // and one that runs across noon of the 15th. Night of the 15th: one just after noon.
  Recording(In("a.wav"), "2023-07-14 21:59:55+01:00", 10, 6.0);
  Recording(In("b.wav"), "2023-07-14 22:30:00+01:00", 1, 0.5);
  Recording(In("c.wav"), "2023-07-14 22:30:00+01:00", 1, 0.3);
  Recording(In("d.wav"), "2023-07-14 22:30:00.5+01:00", 1, 0.1);
  Recording(In("e.wav"), "2023-07-15 11:59:59.5+01:00", 1);
  Recording(In("f.wav"), "2023-07-15 12:00:01+01:00", 1);
  WriteAll(In("notes.txt"), {'h', 'i'});
  WriteAll(In("broken.wav"), {'n', 'o', 'p', 'e'});
  const RecordingsImportResult r = Run();
  ASSERT_TRUE(r.error.empty()) << r.error;
  EXPECT_EQ(r.read, 6);
  ASSERT_EQ(r.madeFiles.size(), 2u);
  EXPECT_EQ(fs::path(r.madeFiles[0]).filename(), "Pond 2023 07 14 Rig_1 file0.ZV1");
  EXPECT_EQ(fs::path(r.madeFiles[1]).filename(), "Pond 2023 07 15 Rig_1 file1.ZV1");
  // The broken recording fails the import's result; the text file is only passed over.
  EXPECT_FALSE(r.AllRead());
  ASSERT_EQ(r.skipped.size(), 2u);
  for (const SkippedRecording& s : r.skipped) {
    const bool broken = fs::path(s.path).filename() == "broken.wav";
    EXPECT_EQ(s.failed, broken) << s.path;
    EXPECT_EQ(s.reason, broken ? msg::rec::kNotRiff : msg::rec::kNotAudio);
  }

  // Minutes 21:59 … 12:00 of the next day (the night's last recording runs past noon), on only
  // where recordings were.
  const MinuteScan s = Scan(r.madeFiles[0]);
  const int32_t first = Minute(2023, 7, 14, 21, 59), last = Minute(2023, 7, 15, 12, 0);
  ASSERT_EQ(s.on.size(), static_cast<size_t>(last - first + 1));
  EXPECT_EQ(r.minutes, static_cast<int64_t>(s.on.size()) + 1);  // and one of the 15th's file
  std::vector<int32_t> onMinutes;
  for (size_t i = 0; i < s.on.size(); ++i)
    if (s.on[i]) onMinutes.push_back(first + static_cast<int32_t>(i));
  EXPECT_EQ(onMinutes, (std::vector<int32_t>{first, first + 1, first + 31, last - 1, last}));
  EXPECT_TRUE(s.ticksInOrder);
  // a's call is 6 s in, so in 22:00; the three calls of 22:30 all arrive.
  EXPECT_EQ(s.groups[0], 0);
  EXPECT_GT(s.groups[1], 30);
  EXPECT_GT(s.groups[31], 3 * 30);

  const auto index = Lines(WavIndexPath(r.madeFiles[0]));
  const std::string m = std::to_string(first);
  const std::vector<std::string> expected = {
      "55 " + m + "\t11000000\t0\t1\t../in/a.wav",
      "00 " + std::to_string(first + 1) + "\t0\t1000000\t1\t../in/a.wav",
      "00 " + std::to_string(first + 31) + "\t0\t0\t1\t../in/b.wav",
      "00 " + std::to_string(first + 31) + "\t0\t0\t1\t../in/c.wav",
      "00 " + std::to_string(first + 31) + "\t100000\t0\t1\t../in/d.wav",
      "59 " + std::to_string(last - 1) + "\t11900000\t0\t1\t../in/e.wav",
      "00 " + std::to_string(last) + "\t0\t100000\t1\t../in/e.wav",
  };
  EXPECT_EQ(index, expected);
}

TEST_F(Import, OpenedFileIsRecognisedAndNamesItsRecordings) {
  Recording(In("a.wav"), "2023-07-14 21:59:55+01:00", 10, 6.0);
  Recording(In("b.wav"), "2023-07-14 22:00:30+01:00", 1);
  const RecordingsImportResult r = Run();
  ASSERT_EQ(r.madeFiles.size(), 1u);
  FileSlots slots;
  RecordingHost host;
  ASSERT_TRUE(OpenFileInSlot(slots, r.madeFiles[0], 1, host, OpenOptions{}).opened);
  const TFileRec& s = slots[1];
  EXPECT_EQ(s.WavConversion, 1);
  EXPECT_TRUE(s.MadeFromWavFiles);
  ASSERT_TRUE(s.WavIndexFileOpen);
  EXPECT_EQ(s.WavFileTimes.size(), 3u);
  EXPECT_EQ(s.NotesText.substr(0, 18), "Test Rig 1 1234   ");
  EXPECT_EQ(s.ZorvelID, 1234);
  EXPECT_EQ(s.LatText.substr(0, 8), "52.10000");
  EXPECT_EQ(s.GMTText, "+1 ");
  const int32_t m = Minute(2023, 7, 14, 22, 0);
  EXPECT_EQ(sound::WavNameAt(slots, 1, TRecTime{m, 3 * 200'000}).name, "../in/a.wav");
  EXPECT_EQ(sound::WavNameAt(slots, 1, TRecTime{m, 31 * 200'000}).name, "../in/b.wav");
  EXPECT_EQ(sound::WavNameAt(slots, 1, TRecTime{m - 1, 58 * 200'000}).name, "../in/a.wav");

  // A logger's file is not taken for one; a missing index is reported.
  fs::remove(WavIndexPath(r.madeFiles[0]));
  CloseSlot(slots, 1);
  ASSERT_TRUE(OpenFileInSlot(slots, r.madeFiles[0], 1, host, OpenOptions{}).opened);
  EXPECT_FALSE(slots[1].WavIndexFileOpen);
  ASSERT_FALSE(host.timed.empty());
  EXPECT_NE(host.timed.back().text.find("not found in same directory as"), std::string::npos);
}

TEST_F(Import, TimeExpansionRule) {
  // 38.4 kHz: refused without a factor, read with GUANO TE or the user's factor.
  const auto slow = test::Tone(4, 38'400, 0.5, 0.58, 1.0, 8000);
  WriteAll(In("plain.wav"), test::MonoWav(38'400, slow, Guano("2023-07-14 22:00:00")));
  WriteAll(In("te.wav"), test::MonoWav(38'400, slow, Guano("2023-07-14 22:00:10") + "\nTE:10"));
  RecordingsImportResult r = Run();
  EXPECT_EQ(r.read, 1);
  ASSERT_EQ(r.skipped.size(), 1u);
  EXPECT_EQ(r.skipped[0].reason,
            "sample rate 38400 Hz is too low for bat calls; if the recording is time-expanded, give its factor "
            "(usually 10)");
  options_.read.timeExpansion = 10;
  r = Run();
  EXPECT_EQ(r.read, 2);
  EXPECT_TRUE(r.AllRead());
  // The 4 kHz tone at a tenth of the speed is a 40 kHz call of 8 ms: 100 quarter µs a wave.
  const auto b = ReadAll(r.madeFiles[0]);
  bool found = false;
  for (size_t at = kHeaderBytes; at + 16 <= b.size() && !found; at += 16)
    if (b[at] < 0xB8) found = b[at + 6] >= 99 && b[at + 6] <= 100;
  EXPECT_TRUE(found);
}

TEST_F(Import, ZeroCrossingFilesAndOneFilePerFolder) {
  test::ZcSpec z;
  test::Put13(z.stream, 1000);
  test::Put13(z.stream, 100);
  for (int i = 0; i < 63; ++i) test::PutDiff(z.stream, 0);
  WriteAll(In("P7142205.09#"), test::MakeZc(z));
  Recording(In("x.wav"), "2023-07-13 23:00:00", 1);
  options_.oneFile = true;
  const RecordingsImportResult r = Run();
  ASSERT_TRUE(r.AllRead());
  ASSERT_EQ(r.madeFiles.size(), 1u);  // two nights, one folder
  EXPECT_EQ(r.read, 2);
  const auto index = Lines(WavIndexPath(r.madeFiles[0]));
  ASSERT_EQ(index.size(), 2u);
  EXPECT_EQ(index[1].substr(0, 12), "09 " + std::to_string(Minute(2023, 7, 14, 22, 5)) + "\t");
  // 64 intervals × 4 waves make 32 groups; x.wav's 8-ms call at 40 kHz adds up to 40.
  EXPECT_GE(r.groups, 32 + 30);
  EXPECT_LE(r.groups, 32 + 40);
}

TEST_F(Import, UnwritableOutputAndStopLeaveNothingBehind) {
  Recording(In("a.wav"), "2023-07-14 22:00:00", 1);
  WriteAll(dir_ / "blocker", {'x'});
  options_.outFolder = (dir_.Path() / "blocker" / "out").string();
  RecordingsImportResult r = Run();
  EXPECT_EQ(r.error.rfind(msg::rec::kCannotWriteOut, 0), 0u) << r.error;
  EXPECT_TRUE(r.madeFiles.empty());

  options_.outFolder = dir_ / "out";
  host_.stop = true;
  r = Run();
  EXPECT_TRUE(r.stopped);
  EXPECT_FALSE(r.AllRead());
  EXPECT_TRUE(r.madeFiles.empty());
  EXPECT_TRUE(fs::is_empty(options_.outFolder));  // no temporary files either
}

}  // namespace
}  // namespace zorvel::rec

namespace zorvel::rec {
namespace {

std::vector<float> AllSamples(const std::string& path, WavLayout* layout = nullptr, int channel = 0) {
  FileByteSource src(path);
  const WavLayout w = ReadWavLayout(src);
  if (layout) *layout = w;
  std::vector<float> s(static_cast<size_t>(w.frames));
  SampleStream(src, w, channel).Read(s.data(), s.size());
  return s;
}

TEST_F(Import, CutWavHoldsTheOriginalSamplesOfTheSpan) {
  // Stereo, time-expanded ten times, with a ramp in the second channel to make every sample
  // different.
  std::vector<int16_t> frames;
  for (int i = 0; i < 38'400; ++i) frames.push_back(static_cast<int16_t>(i % 7)), frames.push_back(static_cast<int16_t>(i - 19'000));
  test::Bytes chunks;
  const std::string g = Guano("2023-07-14 22:00:10") + "\nTE:10";
  chunks.Chunk("fmt ", test::Fmt(1, 2, 38'400, 16)).Chunk("data", test::Pcm16(frames)).Chunk("guan", test::Bytes().Add(g));
  WriteAll(In("te.wav"), test::Riff(chunks));
  const RecordingsImportResult r = Run();
  ASSERT_EQ(r.madeFiles.size(), 1u);
  const int32_t m = Minute(2023, 7, 14, 22, 0);
  CutRequest q;
  q.dataFile = r.madeFiles[0];
  // Real time 10.02 s to 10.05 s: 384,000 frames to a real second, so frames 7,680 … 19,200.
  q.from = TRecTime{m, 10 * 200'000 + 4'000};
  q.to = TRecTime{m, 10 * 200'000 + 10'000};
  q.outPath = dir_ / "cut.wav";
  q.channel = 2;
  q.lat = "52.10000    ";
  q.lon = "-1.50000    ";
  const CutResult c = CutOriginalAudio(q);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.recording, "../in/te.wav");
  EXPECT_EQ(c.sampleRate, 38'400u);
  WavLayout w;
  const auto cut = AllSamples(q.outPath, &w);
  const auto source = AllSamples(In("te.wav"), nullptr, 1);
  ASSERT_EQ(cut.size(), 11'520u);
  EXPECT_TRUE(std::equal(cut.begin(), cut.end(), source.begin() + 7'680));
  EXPECT_EQ(w.channels, 1);
  const rec::Guano gu = ParseGuano(w.guano);
  ASSERT_TRUE(gu.ok) << gu.error;
  EXPECT_EQ(*gu.Get("Timestamp"), "2023-07-14T22:00:10.020");
  EXPECT_EQ(*gu.Get("Loc Position"), "52.10000 -1.50000");
  EXPECT_EQ(*gu.Get("Make"), "Test");
  EXPECT_EQ(*gu.Get("Original Filename"), "te.wav");
  EXPECT_EQ(*gu.Get("TE"), "10");

  // Nothing recorded at the span: a clear message and no file.
  q.from = TRecTime{m, 50 * 200'000};
  q.to = TRecTime{m, 51 * 200'000};
  q.outPath = dir_ / "none.wav";
  EXPECT_EQ(CutOriginalAudio(q).error, msg::rec::kCutNoRecording);
  EXPECT_FALSE(fs::exists(q.outPath));
}

}  // namespace
}  // namespace zorvel::rec

namespace zorvel::rec {
namespace {

TEST_F(Import, ListRecordingsGivesTimeDurationRateSourceAndSpecies) {
  WriteAll(In("a.wav"), test::MonoWav(kRate, std::vector<int16_t>(kRate / 2), Guano("2023-07-14 22:00:10.5+01:00") +
                                                                                  "\nSpecies Manual ID:PIPPIP\nSpecies Auto ID:PIPPYG"));
  WriteAll(In("20230714_220500.wav"), test::MonoWav(38'400, std::vector<int16_t>(38'400)));
  WriteAll(In("bad.wav"), {'x'});
  ReadOptions o;
  o.timeExpansion = 10;
  const RecordingListing l = ListRecordings({In("a.wav"), In("20230714_220500.wav"), In("bad.wav")}, o);
  ASSERT_EQ(l.lines.size(), 3u);
  EXPECT_EQ(l.lines[0], "File\tStart\tDuration s\tSample rate Hz\tTime expansion\tTime source\tSpecies Manual ID\tSpecies Auto ID");
  EXPECT_EQ(l.lines[1], In("a.wav") + "\t2023-07-14 22:00:10.500\t0.500\t96000\t1\tGUANO\tPIPPIP\tPIPPYG");
  EXPECT_EQ(l.lines[2], In("20230714_220500.wav") + "\t2023-07-14 22:05:00.000\t0.100\t38400\t10\tfile name\t\t");
  ASSERT_EQ(l.failed.size(), 1u);
  EXPECT_EQ(l.failed[0], In("bad.wav") + ": " + std::string(msg::rec::kNotRiff));
}

}  // namespace
}  // namespace zorvel::rec

// ---- Damaged recordings: what cannot be right is refused; a single wrong field is warned of
// and the next source of the start time is used.
namespace zorvel::rec {
namespace {

bool Says(const std::vector<std::string>& warnings, const std::string& part) {
  return std::any_of(warnings.begin(), warnings.end(),
                     [&](const std::string& w) { return w.find(part) != std::string::npos; });
}

TEST(DamagedRecording, ImpossibleHeadersAreRefused) {
  zorvel::testing::TempDir dir;
  const auto tone = test::Tone(40, kRate, 0.01, 0.018, 0.05, 8000);
  WriteAll(dir / "20260601_220000_rate.wav", test::MonoWav(4'294'967'295u, tone));
  WriteAll(dir / "20260601_220000_fast.wav", test::MonoWav(10'000'000, tone));
  test::Bytes headless = test::MonoWav(kRate, tone);
  headless.erase(headless.begin(), headless.begin() + 12);  // no "RIFF" size "WAVE"
  WriteAll(dir / "20260601_220000_headless.wav", headless);
  const RecordingInfo rate = ProbeRecording(dir / "20260601_220000_rate.wav", {});
  EXPECT_FALSE(rate.ok);
  EXPECT_EQ(rate.error.rfind("sample rate 4294967295 Hz cannot be right", 0), 0u) << rate.error;
  EXPECT_FALSE(ProbeRecording(dir / "20260601_220000_fast.wav", {}).ok);
  const RecordingInfo headlessInfo = ProbeRecording(dir / "20260601_220000_headless.wav", {});
  EXPECT_FALSE(headlessInfo.ok);
  EXPECT_EQ(headlessInfo.error, msg::rec::kNotRiff);
  // The fastest rates recorders use are read.
  WriteAll(dir / "20260601_220000_ok.wav", test::MonoWav(1'250'000, tone));
  EXPECT_TRUE(ProbeRecording(dir / "20260601_220000_ok.wav", {}).ok);
}

TEST(DamagedRecording, AWrongTimestampIsWarnedOfAndTheNextSourceUsed) {
  zorvel::testing::TempDir dir;
  const auto tone = test::Tone(40, kRate, 0.01, 0.018, 0.05, 8000);
  for (const std::string stamp : {"9999-99-99T99:99:99", "9999-12-31T23:59:59", "1850-01-01T00:00:00"}) {
    SCOPED_TRACE(stamp);
    WriteAll(dir / "20260601_220200_stamp.wav", test::MonoWav(kRate, tone, Guano(stamp)));
    const RecordingInfo named = ProbeRecording(dir / "20260601_220200_stamp.wav", {});
    ASSERT_TRUE(named.ok) << named.error;
    EXPECT_EQ(named.source, TimeSource::FileName);
    EXPECT_EQ(TimeText(named.start), "2026-06-01 22:02:00.000");
    EXPECT_TRUE(Says(named.warnings, "GUANO start time '" + stamp + "'")) << named.warnings.size();
    // No time in the name either: the file's date, with both warnings.
    WriteAll(dir / "stamp.wav", test::MonoWav(kRate, tone, Guano(stamp)));
    const RecordingInfo dated = ProbeRecording(dir / "stamp.wav", {});
    ASSERT_TRUE(dated.ok);
    EXPECT_EQ(dated.source, TimeSource::FileDate);
    EXPECT_TRUE(Says(dated.warnings, "GUANO start time '" + stamp + "'"));
    EXPECT_TRUE(Says(dated.warnings, std::string(msg::rec::kTimeFromFileDate)));
  }
  // A right timestamp gives no warning.
  WriteAll(dir / "good.wav", test::MonoWav(kRate, tone, Guano("2026-06-01T22:03:00")));
  const RecordingInfo good = ProbeRecording(dir / "good.wav", {});
  EXPECT_EQ(good.source, TimeSource::Guano);
  EXPECT_TRUE(good.warnings.empty());
}

}  // namespace
}  // namespace zorvel::rec

namespace zorvel::rec {
namespace {

// A recording given on its own is read whatever its name: named as the index the import would
// write beside its data file, it is refused by name instead of being written over.
TEST_F(Import, AMadeFileNeverReplacesARecordingOfTheImport) {
  Recording(In("x.wav"), "2026-06-01T22:00:00", 0.5);
  options_.outFolder = (dir_.Path() / "in").string();
  const RecordingsImportResult first = Run();
  ASSERT_EQ(first.madeFiles.size(), 1u);
  const std::string made = first.madeFiles[0];
  const std::string index = WavIndexPath(made);
  fs::remove(made);
  fs::remove(index);
  fs::rename(In("x.wav"), index);
  const std::vector<uint8_t> before = ReadAll(index);
  options_.inputs = {index};
  const RecordingsImportResult second = Run();
  EXPECT_TRUE(second.madeFiles.empty());
  EXPECT_FALSE(second.AllRead());
  ASSERT_EQ(second.skipped.size(), 1u);
  EXPECT_NE(second.skipped[0].reason.find(index + ": is one of this command's inputs"), std::string::npos)
      << second.skipped[0].reason;
  EXPECT_EQ(ReadAll(index), before);
  EXPECT_FALSE(fs::exists(made));
}

}  // namespace
}  // namespace zorvel::rec
