// WAV files built byte by byte in tests: any chunk order, sizes and metadata.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

namespace zorvel::rec::test {

struct Bytes : std::vector<uint8_t> {
  Bytes& U16(uint16_t v) {
    push_back(static_cast<uint8_t>(v));
    push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Bytes& U32(uint32_t v) {
    U16(static_cast<uint16_t>(v));
    return U16(static_cast<uint16_t>(v >> 16));
  }
  Bytes& Tag(const char* t) {
    insert(end(), t, t + 4);
    return *this;
  }
  Bytes& Add(const std::string& s) {
    insert(end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Add(const std::vector<uint8_t>& s) {
    insert(end(), s.begin(), s.end());
    return *this;
  }
  // A chunk with its size (declared may differ from the body) and even padding.
  Bytes& Chunk(const char* tag, const std::vector<uint8_t>& body, int64_t declared = -1) {
    Tag(tag).U32(declared < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(declared));
    Add(body);
    if (body.size() % 2) push_back(0);
    return *this;
  }
};

inline Bytes Fmt(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits, int blockAlign = -1) {
  Bytes b;
  const uint16_t align = blockAlign < 0 ? static_cast<uint16_t>(channels * bits / 8) : static_cast<uint16_t>(blockAlign);
  b.U16(format).U16(channels).U32(rate).U32(rate * align).U16(align).U16(bits);
  return b;
}

// WAVE_FORMAT_EXTENSIBLE naming PCM (1) or float (3).
inline Bytes FmtExtensible(uint16_t sub, uint16_t channels, uint32_t rate, uint16_t bits) {
  Bytes b = Fmt(0xFFFE, channels, rate, bits);
  b.U16(22).U16(bits).U32(0).U16(sub);
  const uint8_t guidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
  b.insert(b.end(), guidTail, guidTail + 14);
  return b;
}

inline Bytes Riff(const std::vector<uint8_t>& chunks) {
  Bytes b;
  b.Tag("RIFF").U32(static_cast<uint32_t>(chunks.size() + 4)).Tag("WAVE").Add(chunks);
  return b;
}

inline Bytes Pcm16(const std::vector<int16_t>& s) {
  Bytes b;
  for (int16_t v : s) b.U16(static_cast<uint16_t>(v));
  return b;
}

// A plain mono 16-bit file with an optional GUANO text after the data.
inline Bytes MonoWav(uint32_t rate, const std::vector<int16_t>& s, const std::string& guano = {}) {
  Bytes c;
  c.Chunk("fmt ", Fmt(1, 1, rate, 16)).Chunk("data", Pcm16(s));
  if (!guano.empty()) c.Chunk("guan", std::vector<uint8_t>(guano.begin(), guano.end()));
  return Riff(c);
}

// A tone of khz between startS and endS in totalS seconds of silence, faded in and out over
// half a millisecond like a call.
inline std::vector<int16_t> Tone(double khz, double rate, double startS, double endS, double totalS, double amplitude) {
  std::vector<int16_t> s(static_cast<size_t>(rate * totalS));
  const double fade = 0.0005;
  for (size_t i = static_cast<size_t>(rate * startS); i < static_cast<size_t>(rate * endS) && i < s.size(); ++i) {
    const double t = static_cast<double>(i) / rate, edge = std::min(t - startS, endS - t);
    const double envelope = edge < fade ? 0.5 - 0.5 * std::cos(std::numbers::pi * edge / fade) : 1.0;
    s[i] = static_cast<int16_t>(std::lround(envelope * amplitude * std::sin(2 * std::numbers::pi * khz * 1000 * t)));
  }
  return s;
}

}  // namespace zorvel::rec::test
