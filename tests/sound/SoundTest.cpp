#include <gtest/gtest.h>

#include <algorithm>

#include "core/Bytes.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "core/TimeBase.h"
#include "sound/Render.h"
#include "sound/Wav.h"
#include "sound/WavSource.h"
#include "sound/WaveCollector.h"
#include "support/RecordingHost.h"
#include "support/Synthetic.h"

namespace zorvel::sound {
namespace {

using zorvel::testing::ReadAll;
using zorvel::testing::RecordingHost;
using zorvel::testing::TempDir;

struct RecordingSink : ChunkSink {
  std::vector<std::vector<tCycPair>> chunks;
  std::vector<int32_t> pauses;
  void PlayChunk(const std::vector<tCycPair>& e, int32_t pause) override {
    chunks.push_back(e);
    pauses.push_back(pause);
  }
};

tOct Octet(int32_t ipi, int32_t amp) {
  tOct o;
  o.IPIs.fill(ipi);
  o.AMPs.fill(amp);
  o.IPIsum = 8 * ipi + 4;
  return o;
}

void ExpectRiffSizesMatch(const std::string& path, uint32_t rate) {
  const auto bytes = ReadAll(path);
  ASSERT_GE(bytes.size(), 44u) << path;
  EXPECT_EQ(static_cast<uint32_t>(Le32(&bytes[4])), bytes.size() - 8) << path;
  EXPECT_EQ(static_cast<uint32_t>(Le32(&bytes[40])), bytes.size() - 44) << path;
  EXPECT_EQ(static_cast<uint32_t>(Le32(&bytes[24])), rate);
  EXPECT_EQ(static_cast<uint32_t>(Le32(&bytes[28])), 2 * rate);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
}

TEST(WavFiles, RiffSizeIsFileLengthLessEightForEveryKind) {
  TempDir dir("wav_sizes");
  std::vector<tCycPair> entries;
  for (int i = 0; i < 50; ++i) entries.push_back({i % 7 == 0 ? 0 : 300, 40 + i, 0});
  ASSERT_TRUE(WriteWavFile(dir.File("live.wav"), RenderLive(entries, {3, 2}), kLiveSampleRate));
  ASSERT_TRUE(WriteWavFile(dir.File("recon.wav"), RenderReconstruction(entries), kReconstructionSampleRate));
  ASSERT_TRUE(WriteWavFile(dir.File("sweep.wav"), TestSweep(), kReconstructionSampleRate));
  ASSERT_TRUE(WriteWavFile(dir.File("empty.wav"), {}, kLiveSampleRate));
  ExpectRiffSizesMatch(dir.File("live.wav"), kLiveSampleRate);
  ExpectRiffSizesMatch(dir.File("recon.wav"), kReconstructionSampleRate);
  ExpectRiffSizesMatch(dir.File("sweep.wav"), kReconstructionSampleRate);
  ExpectRiffSizesMatch(dir.File("empty.wav"), kLiveSampleRate);
}

TEST(WavFiles, HeaderKeepsAll32BitsAboveSixteenMegabytes) {
  const uint64_t data = 40'000'000;  // beyond what 24 bits can hold
  const auto h = WavHeader(kLiveSampleRate, data);
  ASSERT_TRUE(h);
  EXPECT_EQ(static_cast<uint32_t>(Le32(&(*h)[4])), data + 36);
  EXPECT_EQ(static_cast<uint32_t>(Le32(&(*h)[40])), data);
  EXPECT_FALSE(WavHeader(kLiveSampleRate, 0xFFFF'FFFFull));
}

TEST(WavFiles, UnwritableTargetFailsWithoutLeavingAFile) {
  std::string error;
  EXPECT_FALSE(WriteWavFile("/nonexistent_zorvel_dir/x.wav", {1, 2, 3}, kLiveSampleRate, &error));
  EXPECT_FALSE(error.empty());
}

TEST(Rendering, SamplesStayWithinLimitsForHugeAmplitudes) {
  std::vector<tCycPair> entries = {{5000, 30, 0}, {4000, 31, 0}, {100000, 1, 0}, {320, 0, 0}, {99999, 80, 0}};
  for (const auto& samples :
       {RenderLive(entries, {8, 4}), RenderLive(entries, {1, 1}), RenderReconstruction(entries)}) {
    ASSERT_FALSE(samples.empty());
    const auto [lo, hi] = std::minmax_element(samples.begin(), samples.end());
    EXPECT_GE(*lo, -32767);
    EXPECT_LE(*hi, 32767);
    EXPECT_EQ(*hi, 32767) << "amplitudes this large reach the limit";
  }
}

TEST(Rendering, LiveToneFollowsPitchAndStretchRepeatsPairs) {
  // Waves of IPI 100 at pitch 1: phase step 12, so a cycle is 2000 / 12 samples on average
  // (≈ 264.6 Hz at 44.1 kHz) with the phase carried over; each pair is repeated 2S + 1 times.
  const std::vector<tCycPair> pair = {{100, 100, 40}, {100, 100, 40}};
  EXPECT_EQ(RenderLive(pair, {1, 1}).size(), 6u * 2000 / 12);
  EXPECT_EQ(RenderLive(pair, {1, 4}).size(), 18u * 2000 / 12);
  // Pitch 2 halves the cycle (step 24: 84 samples, then 83 as the phase carries over).
  EXPECT_LT(RenderLive(pair, {2, 1}).size(), RenderLive(pair, {1, 1}).size() / 2 + 3);
  // The second entry of a pair is a third as loud as the first.
  const auto s = RenderLive({{300, 100, 0}, {300, 100, 0}}, {1, 1});
  const int16_t firstPeak = *std::max_element(s.begin(), s.begin() + 167);
  const int16_t secondPeak = *std::max_element(s.begin() + 167, s.begin() + 334);
  EXPECT_EQ(firstPeak, 30720);
  EXPECT_EQ(secondPeak, 10240);
}

TEST(Rendering, ZeroIpiAndUnpairedLastEntry) {
  // An IPI of 0 renders as 1 (no division by zero, no endless cycle).
  EXPECT_FALSE(RenderLive({{100, 0, 0}, {100, 0, 0}}, {1, 1}).empty());
  EXPECT_FALSE(RenderReconstruction({{100, 0, 0}, {100, 0, 0}}).empty());
  // An unpaired last entry is rendered on its own: 3 repeats of one cycle of 167 samples.
  EXPECT_EQ(RenderLive({{100, 100, 0}}, {1, 1}).size(), 3u * 2000 / 12);
  EXPECT_EQ(RenderReconstruction({{100, 80, 0}}).size(), 2u * 10);
}

TEST(Rendering, ReconstructionKeepsRealPeriodsAndGapLengths) {
  // IPI 80 quarter µs = 20 µs = 10 samples at 500 kHz; four cycles per pair.
  EXPECT_EQ(RenderReconstruction({{100, 80, 50}, {100, 80, 50}}).size(), 40u);
  // A gap pair of IPI 10 gives 6 samples of low noise.
  const auto noise = RenderReconstruction({{0, 10, 0}, {0, 10, 0}});
  ASSERT_EQ(noise.size(), 6u);
  for (int16_t v : noise) EXPECT_TRUE(v >= -128 && v <= 127);
  EXPECT_EQ(RenderReconstruction({{0, 10, 0}, {0, 10, 0}}, 7),
            RenderReconstruction({{0, 10, 0}, {0, 10, 0}}, 7));
}

TEST(Rendering, SweepAndLabelCycles) {
  const auto sweep = TestSweep();
  EXPECT_EQ(sweep.size(), 65'001u);
  EXPECT_EQ(*std::max_element(sweep.begin(), sweep.end()), 30720);
  int p = 8;
  EXPECT_EQ(PitchLblText(p = NextPitch(p)), "pitch  1");
  int s = 4;
  EXPECT_EQ(LengthLblText(s = NextStretch(s)), "stretch 1");
  EXPECT_EQ(PauseAfterChunkMs(1200 * 50), 50);
  EXPECT_EQ(PauseAfterChunkMs(1200 * 500), 200);
}

TEST(Collecting, LivePlayFlushesOnlyAfterMoreThan800Ticks) {
  for (int32_t gap : {800, 801}) {
    RecordingSink sink;
    WaveCollector c(CollectMode::LivePlay, TRecTime{10, 0}, &sink);
    const tOct o = Octet(50, 100);  // IPIsum 404
    c.AddOctet(TRecTime{10, 404}, o);
    c.AddOctet(TRecTime{10, 808}, o);
    // The gap is measured from the previous group's time less this group's IPI sum.
    c.AddOctet(TRecTime{10, 808 + 404 + gap}, o);
    if (gap == 800) {
      EXPECT_TRUE(sink.chunks.empty());
      EXPECT_EQ(c.Entries().size(), 8u + 800 + 4) << "800 gap entries follow the first 8 waves";
      EXPECT_EQ(c.Entries()[8].IPI, 20);
    } else {
      ASSERT_EQ(sink.chunks.size(), 1u);
      EXPECT_EQ(sink.chunks[0].size(), 8u);
      EXPECT_EQ(sink.pauses[0], 801);
    }
  }
}

TEST(Collecting, ThreeOctetCallGivesSixPairsThroughTheReader) {
  PopulatePrecalculatedArrays();
  TempDir dir("sound_collect");
  const std::string path = dir.File("call.ZV1");
  std::vector<testing::SyntheticMinute> minutes(1);
  minutes[0].values.MinON = true;
  for (int32_t t : {100'000, 100'050, 100'100}) minutes[0].records.push_back(testing::WaveGroup(t, 40, 60));
  ASSERT_TRUE(testing::WriteDataFile(path, testing::MakeHeader(60'000, 60'000), minutes));
  RecordingHost host;
  FileSlots slots;
  ASSERT_TRUE(OpenFileInSlot(slots, path, 1, host, {}).opened);
  ReaderContext ctx{host};
  ctx.options.IgnoreFilters = true;
  RecordingSink sink;
  const TRecTime from{60'000, 99'800};
  WaveCollector live(CollectMode::LivePlay, from, &sink);
  CollectSlotWaves(slots, 1, from, TRecTime{60'000, 200'000}, ctx, live);
  ASSERT_EQ(sink.chunks.size(), 1u);
  EXPECT_EQ(sink.chunks[0].size(), 12u);
  EXPECT_EQ(sink.pauses[0], 800);
  EXPECT_EQ(sink.chunks[0][0].IPI, 40);
  EXPECT_EQ(sink.chunks[0][0].kHz, 100);

  // For a file, the silence before, between and after the groups is kept as gap entries.
  const TRecTime earlier{60'000, 90'000};
  WaveCollector file(CollectMode::File, earlier);
  CollectSlotWaves(slots, 1, earlier, TRecTime{60'000, 101'000}, ctx, file);
  const auto& e = file.Entries();
  const auto waves = std::count_if(e.begin(), e.end(), [](const tCycPair& p) { return p.amp > 0; });
  EXPECT_EQ(waves, 12);
  EXPECT_EQ(e.size(), 12u + (10'000 - 324) + (101'000 - 100'100 + 200));
  EXPECT_EQ(e.front().amp, 0);
  EXPECT_EQ(e.front().IPI, 10);
  EXPECT_EQ(e.back().amp, 0);
}

TEST(Collecting, StopDuringLivePlayDropsTheList) {
  RecordingSink sink;
  WaveCollector c(CollectMode::LivePlay, TRecTime{1, 0}, &sink);
  c.AddOctet(TRecTime{1, 500}, Octet(50, 10));
  c.Stop();
  c.Finish(TRecTime{1, 100'000});
  EXPECT_TRUE(c.Entries().empty());
  EXPECT_TRUE(sink.chunks.empty());
}

TEST(WavSource, FindsTheRecordingThatHoldsAMoment) {
  const std::vector<tWavFileTimesRecord> times = {{100, 0}, {100, 20}, {100, 40}, {101, 5}};
  EXPECT_EQ(FindWavSourceLine(times, 100, 25).line, 2);
  EXPECT_EQ(FindWavSourceLine(times, 100, 0).line, 1);
  EXPECT_EQ(FindWavSourceLine(times, 100, 50).line, 3);
  EXPECT_EQ(FindWavSourceLine(times, 99, 0).status, "No wav file found for target minute");
  EXPECT_EQ(FindWavSourceLine(times, 101, 30).line, 4) << "the last recording holds what follows its start";
  TempDir dir("wav_index");
  testing::WriteAll(dir.File("index.txt"), {'a', '\t', 'x', '.', 'w', 'a', 'v', '\r', '\n', 'b', '\t', 'c',
                                            '\t', 'y', '.', 'w', 'a', 'v', '\n'});
  EXPECT_EQ(WavNameFromIndex(dir.File("index.txt"), 2), "y.wav");
  EXPECT_EQ(WavNameFromIndex(dir.File("index.txt"), 3), "");
}

TEST(WavSource, NameUnderAMomentOfABand) {
  FileSlots slots;
  WavNameLookup none = WavNameAt(slots, 0, {100, 0});
  EXPECT_EQ(none.message, "Pointer must be over a file display for this to work");
  EXPECT_EQ(none.status, "time not found");
  EXPECT_TRUE(none.name.empty());

  TFileRec& s = slots[1];
  s.Open = true;
  s.ShortName = "night.ZV1";
  const WavNameLookup noIndex = WavNameAt(slots, 1, {100, 0});
  EXPECT_EQ(noIndex.message, "Failed to find wav index file in the directory of night.ZV1");
  EXPECT_EQ(noIndex.status, noIndex.message);

  TempDir dir("wav_name");
  const std::string index = "00 1\ta.wav\n20 1\tb.wav\n";
  testing::WriteAll(dir.File("night.txt"), std::vector<uint8_t>(index.begin(), index.end()));
  s.WavIndexFile = dir.File("night.txt");
  s.WavIndexFileOpen = true;
  s.WavFileTimes = {{100, 0}, {100, 20}};
  EXPECT_EQ(WavNameAt(slots, 1, {100, 25 * kTicksPerSecond}).name, "b.wav");
  EXPECT_EQ(WavNameAt(slots, 1, {100, 19 * kTicksPerSecond + 199'999}).name, "a.wav");
  const WavNameLookup otherMinute = WavNameAt(slots, 1, {102, 0});
  EXPECT_TRUE(otherMinute.name.empty());
  EXPECT_EQ(otherMinute.status, "No wav file found for target minute");
  EXPECT_TRUE(otherMinute.message.empty());
}

TEST(WavSource, DefaultReconstructionName) {
  const int32_t mn = *MinuteNumber(2026, 6, 15, 21, 30);
  EXPECT_EQ(DefaultReconstructionName(mn, 7 * kTicksPerSecond + 5), "2026 06 15 21 30 07 Zorvel.wav");
}

}  // namespace
}  // namespace zorvel::sound
