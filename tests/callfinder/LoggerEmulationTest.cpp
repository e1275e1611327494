// The WAV reader and the logger emulation on signals made in the test, so that the real-data
// results rest on a conversion whose behaviour is known.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "LoggerEmulation.h"
#include "WavFile.h"

namespace zorvel::test {
namespace {

void Put16(std::vector<uint8_t>& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, static_cast<uint16_t>(v & 0xFFFF));
  Put16(b, static_cast<uint16_t>(v >> 16));
}
void PutTag(std::vector<uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(tag[i]));
}

struct WavSpec {
  uint16_t format = 1, channels = 1, bits = 16;
  uint32_t rate = 384'000;
  std::string extra;  // an odd-length metadata chunk before the data
  std::vector<int16_t> samples = {1, -2, 300, -32768};
  uint32_t declaredDataBytes = 0;  // 0: the true size
};

std::vector<uint8_t> MakeWav(const WavSpec& s) {
  std::vector<uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 0);  // readers do not rely on the RIFF size
  PutTag(b, "WAVE");
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, s.format);
  Put16(b, s.channels);
  Put32(b, s.rate);
  Put32(b, s.rate * s.channels * s.bits / 8);
  Put16(b, static_cast<uint16_t>(s.channels * s.bits / 8));
  Put16(b, s.bits);
  if (!s.extra.empty()) {
    PutTag(b, "guan");
    Put32(b, static_cast<uint32_t>(s.extra.size()));
    b.insert(b.end(), s.extra.begin(), s.extra.end());
    if (s.extra.size() % 2) b.push_back(0);
  }
  PutTag(b, "data");
  Put32(b, s.declaredDataBytes ? s.declaredDataBytes : static_cast<uint32_t>(2 * s.samples.size()));
  for (int16_t v : s.samples) Put16(b, static_cast<uint16_t>(v));
  return b;
}

TEST(WavFile, ReadsMonoPcmPastMetadataChunks) {
  WavSpec s;
  s.extra = "GUANO|Version:1.0|";  // odd length: the chunk is padded
  const WavRead r = ParseWav(MakeWav(s), "x.wav");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.sampleRate, 384'000);
  EXPECT_EQ(r.samples, s.samples);
}

TEST(WavFile, DataCutShortIsReadAsFarAsItGoes) {
  WavSpec s;
  s.declaredDataBytes = 1000;
  const WavRead r = ParseWav(MakeWav(s), "x.wav");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.samples, s.samples);
}

TEST(WavFile, RefusesWhatItCannotRead) {
  WavSpec stereo, bits24, floats;
  stereo.channels = 2;
  bits24.bits = 24;
  floats.format = 3;
  floats.bits = 32;
  for (const auto& [spec, words] : {std::pair{stereo, "mono"}, {bits24, "16-bit"}, {floats, "PCM"}}) {
    const WavRead r = ParseWav(MakeWav(spec), "x.wav");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find(words), std::string::npos) << r.error;
    EXPECT_EQ(r.error.rfind("x.wav: ", 0), 0u) << r.error;
  }
  EXPECT_FALSE(ParseWav({'R', 'I', 'F', 'F'}, "x.wav").ok);
  auto noData = MakeWav(WavSpec{});
  noData.resize(36);  // the format chunk only
  EXPECT_NE(ParseWav(noData, "x.wav").error.find("no sound data"), std::string::npos);
  auto shortFormat = MakeWav(WavSpec{});
  shortFormat.resize(30);
  EXPECT_NE(ParseWav(shortFormat, "x.wav").error.find("cut short"), std::string::npos);
}

// A tone from startS to endS in a recording of totalS seconds, silent elsewhere: the gate
// follows the background, so a tone that filled the recording would be taken for it. Like a
// call it fades in and out (over half a millisecond), which keeps the filter from ringing.
std::vector<int16_t> Tone(double khz, double rate, double startS, double endS, double totalS,
                          double amplitude) {
  std::vector<int16_t> s(static_cast<size_t>(rate * totalS));
  const double fade = 0.0005;
  for (size_t i = static_cast<size_t>(rate * startS); i < static_cast<size_t>(rate * endS); ++i) {
    const double t = i / rate, edge = std::min(t - startS, endS - t);
    const double envelope = edge < fade ? 0.5 - 0.5 * std::cos(std::numbers::pi * edge / fade) : 1.0;
    s[i] = static_cast<int16_t>(
        std::lround(envelope * amplitude * std::sin(2 * std::numbers::pi * khz * 1000 * i / rate)));
  }
  return s;
}

TEST(LoggerEmulation, SteadyToneGivesBackToBackTonalGroups) {
  // 45 kHz: a period of 88.9 quarter microseconds, stored as 88.
  const auto s = Tone(45, 384'000, 0.002, 0.010, 0.030, 8000);
  const auto groups = EmulateLogger(s, 384'000, EmulationOptions{});
  // 8 ms of tone holds 360 waves: 45 groups, less those too faint at the fades.
  ASSERT_GE(groups.size(), 40u);
  ASSERT_LE(groups.size(), 45u);
  for (uint8_t a : groups[groups.size() / 2].amp) EXPECT_NEAR(a, 125, 3);
  for (size_t i = 0; i < groups.size(); ++i) {
    SCOPED_TRACE(i);
    for (uint8_t v : groups[i].ipi) EXPECT_NEAR(v, 88, 1);
    EXPECT_GE(groups[i].score, 28);
    // Peaks of 8000 sample units store 8000 / 64 = 125, less during the fades.
    for (uint8_t a : groups[i].amp) EXPECT_LE(a, 128);
    // The tone starts 2 ms (400 ticks) into the recording, placed 1 s into its minute.
    EXPECT_GE(groups[i].tick, 200'400);
    if (i > 0) {
      EXPECT_NEAR(groups[i].tick - groups[i - 1].tick, 36, 1);  // 8 waves of 4.44 ticks
    }
  }
}

TEST(LoggerEmulation, TimeExpandedRecordingIsSpedUpAgain) {
  // A 45 kHz tone slowed down ten times is 4.5 kHz at a tenth of the rate.
  const auto s = Tone(4.5, 38'400, 0.1, 0.15, 0.3, 8000);
  EmulationOptions o;
  o.timeExpansion = 10;
  const auto groups = EmulateLogger(s, 38'400, o);
  ASSERT_GE(groups.size(), 20u);
  EXPECT_NEAR(groups.back().ipi[3], 88, 1);
  // Without the expansion the same tone is below the high-pass corner: nothing counts as a wave.
  EXPECT_TRUE(EmulateLogger(s, 38'400, EmulationOptions{}).empty());
}

TEST(LoggerEmulation, NoiseScoresLowAndSilenceGivesNothing) {
  std::vector<int16_t> noise(384'000 / 10);
  uint32_t x = 12345;
  for (auto& v : noise) {
    x = x * 1664525u + 1013904223u;
    v = static_cast<int16_t>(static_cast<int32_t>(x >> 16) - 32768) / 8;
  }
  EmulationOptions o;
  o.gateOverFloor = 0;  // let every wave through so that noise forms groups
  const auto groups = EmulateLogger(noise, 384'000, o);
  ASSERT_GE(groups.size(), 100u);
  size_t tonal = 0;
  for (const auto& g : groups) tonal += g.score >= 10;  // 10 is the least a call's seed accepts
  EXPECT_LT(tonal * 20, groups.size());
  EXPECT_TRUE(EmulateLogger(std::vector<int16_t>(384'000 / 10, 0), 384'000, EmulationOptions{}).empty());
}

TEST(LoggerEmulation, ScoreRewardsLinesNotJustConstants) {
  const double steady[8] = {90, 90, 90, 90, 90, 90, 90, 90};
  const double sweep[8] = {60, 62, 64, 66, 68, 70, 72, 74};
  const double scattered[8] = {90, 70, 110, 60, 120, 80, 100, 95};
  EXPECT_EQ(TonalScore(steady), 31);
  EXPECT_EQ(TonalScore(sweep), 31);
  EXPECT_EQ(TonalScore(scattered), 0);
  const double slightly[8] = {90, 91, 89, 90, 92, 88, 90, 90};
  EXPECT_GT(TonalScore(slightly), 20);
  EXPECT_LT(TonalScore(slightly), 31);
}

}  // namespace
}  // namespace zorvel::test
