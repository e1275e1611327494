// The WAV reader on files written by the test: every sample layout, chunk orders, files still
// being written or cut short, and what it refuses.
#include <gtest/gtest.h>

#include <cstring>

#include "TestWav.h"
#include "recordings/Messages.h"
#include "recordings/WavReader.h"

namespace zorvel::rec {
namespace {

using test::Bytes;

WavLayout Layout(const std::vector<uint8_t>& b) {
  MemoryByteSource src(b.data(), b.size());
  return ReadWavLayout(src);
}

std::vector<float> Samples(const std::vector<uint8_t>& b, int channel = 0) {
  MemoryByteSource src(b.data(), b.size());
  const WavLayout w = ReadWavLayout(src);
  EXPECT_TRUE(w.ok) << w.error;
  std::vector<float> out(static_cast<size_t>(w.frames));
  SampleStream s(src, w, channel);
  // Two reads, to cross a block boundary.
  const size_t first = s.Read(out.data(), out.size() / 2);
  EXPECT_EQ(first + s.Read(out.data() + first, out.size()), out.size());
  return out;
}

TEST(WavReader, EverySampleLayoutReadsOnTheSixteenBitScale) {
  struct Case {
    const char* name;
    Bytes fmt, data;
  };
  Bytes u8, s24, s32, f32, f32x;
  u8.push_back(0x80), u8.push_back(0xC0), u8.push_back(0x00);  // 0, +half, -full
  s24.push_back(0x00), s24.push_back(0x00), s24.push_back(0x40);  // +half
  s24.push_back(0x00), s24.push_back(0x00), s24.push_back(0x80);  // -full
  s32.U32(0x40000000u).U32(0x80000000u);
  float v[2] = {0.5f, -1.0f};
  uint32_t bits[2];
  std::memcpy(bits, v, 8);
  f32.U32(bits[0]).U32(bits[1]);
  const std::vector<Case> cases = {
      {"8-bit", test::Fmt(1, 1, 250'000, 8), u8},
      {"16-bit", test::Fmt(1, 1, 250'000, 16), test::Pcm16({16384, -32768})},
      {"24-bit", test::Fmt(1, 1, 250'000, 24), s24},
      {"32-bit", test::Fmt(1, 1, 250'000, 32), s32},
      {"float", test::Fmt(3, 1, 250'000, 32), f32},
      {"extensible PCM", test::FmtExtensible(1, 1, 250'000, 16), test::Pcm16({16384, -32768})},
      {"extensible float", test::FmtExtensible(3, 1, 250'000, 32), f32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes chunks;
    chunks.Chunk("fmt ", c.fmt).Chunk("data", c.data);
    const auto s = Samples(test::Riff(chunks));
    ASSERT_GE(s.size(), 2u);
    const bool u = std::string(c.name) == "8-bit";
    EXPECT_FLOAT_EQ(s[u ? 1 : 0], 16384.0f);
    EXPECT_FLOAT_EQ(s[u ? 2 : 1], -32768.0f);
  }
}

TEST(WavReader, ChunksInAnyOrderPaddingAndChannels) {
  // data before fmt, an odd-sized unknown chunk between, metadata after; stereo.
  Bytes chunks;
  chunks.Chunk("data", test::Pcm16({1, 100, 2, 200, 3, 300}))
      .Chunk("junk", {1, 2, 3})
      .Chunk("fmt ", test::Fmt(1, 2, 384'000, 16))
      .Chunk("guan", Bytes().Add("GUANO|Version:1.0\nTE:10"));
  const auto b = test::Riff(chunks);
  const WavLayout w = Layout(b);
  ASSERT_TRUE(w.ok) << w.error;
  EXPECT_EQ(w.channels, 2);
  EXPECT_EQ(w.frames, 3u);
  EXPECT_EQ(w.guano, "GUANO|Version:1.0\nTE:10");
  EXPECT_TRUE(w.warnings.empty());
  EXPECT_EQ(Samples(b, 0), (std::vector<float>{1, 2, 3}));
  EXPECT_EQ(Samples(b, 1), (std::vector<float>{100, 200, 300}));
}

TEST(WavReader, CommentAndBextAreCollected) {
  Bytes list;
  list.Tag("INFO").Chunk("INAM", Bytes().Add("x")).Chunk("ICMT", Bytes().Add(std::string("Recorded at 21:04:05 03/09/2024 (UTC+1)\0\0", 42)));
  Bytes bext(std::vector<uint8_t>(602, 0));
  std::memcpy(bext.data() + 320, "2021-06-15", 10);
  std::memcpy(bext.data() + 330, "22:01:30", 8);
  Bytes chunks;
  chunks.Chunk("fmt ", test::Fmt(1, 1, 250'000, 16)).Chunk("LIST", list).Chunk("bext", bext).Chunk("data", test::Pcm16({1}));
  const WavLayout w = Layout(test::Riff(chunks));
  ASSERT_TRUE(w.ok) << w.error;
  EXPECT_EQ(w.comment, "Recorded at 21:04:05 03/09/2024 (UTC+1)");
  EXPECT_EQ(w.bextDate, "2021-06-15");
  EXPECT_EQ(w.bextTime, "22:01:30");
}

TEST(WavReader, UnfinishedAndTruncatedDataAreReadAsFarAsTheyGo) {
  for (const uint32_t declared : {0u, 0xFFFFFFFFu, 1000u}) {
    SCOPED_TRACE(declared);
    Bytes chunks;
    chunks.Chunk("fmt ", test::Fmt(1, 1, 250'000, 16)).Chunk("data", test::Pcm16({5, 6, 7}), declared);
    auto b = test::Riff(chunks);
    b.push_back(9);  // half a sample at the end is dropped
    const WavLayout w = Layout(b);
    ASSERT_TRUE(w.ok) << w.error;
    EXPECT_EQ(w.frames, 3u);
    ASSERT_EQ(w.warnings.size(), 1u);
    EXPECT_EQ(w.warnings[0], declared == 1000u ? msg::rec::kDataTruncated : msg::rec::kDataStillOpen);
  }
}

TEST(WavReader, BadFilesAreRefusedWithTheirReason) {
  const auto fmt = test::Fmt(1, 1, 250'000, 16);
  const auto data = test::Pcm16({1, 2});
  auto file = [](std::initializer_list<std::pair<const char*, Bytes>> cs) {
    Bytes c;
    for (const auto& [t, b] : cs) c.Chunk(t, b);
    return test::Riff(c);
  };
  Bytes notWave = file({{"fmt ", fmt}});
  std::memcpy(notWave.data() + 8, "AVI ", 4);
  Bytes shortFmt;
  shortFmt.insert(shortFmt.end(), fmt.begin(), fmt.begin() + 14);
  const std::vector<std::pair<Bytes, std::string>> cases = {
      {Bytes().Add("ID3\x04 not a wave file"), std::string(msg::rec::kNotRiff)},
      {notWave, std::string(msg::rec::kNotWave)},
      {file({{"data", data}}), std::string(msg::rec::kNoFmt)},
      {file({{"fmt ", fmt}}), std::string(msg::rec::kNoData)},
      {file({{"fmt ", shortFmt}, {"data", data}}), std::string(msg::rec::kFmtTooShort)},
      {file({{"fmt ", test::Fmt(1, 0, 250'000, 16, 2)}, {"data", data}}), std::string(msg::rec::kNoChannels)},
      {file({{"fmt ", test::Fmt(1, 1, 0, 16)}, {"data", data}}), std::string(msg::rec::kNoRate)},
      {file({{"fmt ", test::Fmt(1, 1, 250'000, 16, 7)}, {"data", data}}), std::string(msg::rec::kBadBlockAlign)},
      {file({{"fmt ", test::Fmt(1, 1, 250'000, 12)}, {"data", data}}), std::string(msg::rec::kBadBits)},
      {file({{"fmt ", fmt}, {"data", {}}}), std::string(msg::rec::kNoSamples)},
      {file({{"fmt ", test::Fmt(7, 1, 250'000, 8)}, {"data", data}}), std::string(msg::rec::kCompressed) + "mu-law"},
      {file({{"fmt ", test::Fmt(0x55, 1, 250'000, 16)}, {"data", data}}), std::string(msg::rec::kCompressed) + "MPEG Layer 3"},
      {file({{"fmt ", test::Fmt(0x1234, 1, 250'000, 16)}, {"data", data}}), std::string(msg::rec::kCompressed) + "format 0x1234"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const WavLayout w = Layout(cases[i].first);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.error, cases[i].second);
  }
}

TEST(WavReader, HugeMetadataIsPassedOverNotRead) {
  Bytes chunks;
  chunks.Chunk("fmt ", test::Fmt(1, 1, 250'000, 16)).Chunk("data", test::Pcm16({1, 2}));
  chunks.Tag("guan").U32(0x7FFFFFF0u);  // declares far more than the file holds
  const WavLayout w = Layout(test::Riff(chunks));
  ASSERT_TRUE(w.ok) << w.error;
  EXPECT_TRUE(w.guano.empty());
}

}  // namespace
}  // namespace zorvel::rec
