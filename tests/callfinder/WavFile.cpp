#include "WavFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace zorvel::test {

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatExtensible = 0xFFFE;

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
bool Tag(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return b[at] == tag[0] && b[at + 1] == tag[1] && b[at + 2] == tag[2] && b[at + 3] == tag[3];
}
WavRead Refuse(const std::string& path, const std::string& why) {
  WavRead r;
  r.error = path + ": " + why;
  return r;
}

}  // namespace

WavRead ParseWav(const std::vector<uint8_t>& b, const std::string& path) {
  if (b.size() < 12 || !Tag(b, 0, "RIFF") || !Tag(b, 8, "WAVE")) return Refuse(path, "not a RIFF/WAVE file");
  bool haveFormat = false;
  WavRead out;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const uint32_t declared = Le32(b, at + 4);
    const size_t body = at + 8;
    const size_t available = b.size() - body;
    if (Tag(b, at, "fmt ")) {
      if (declared < 16 || declared > available) return Refuse(path, "format chunk is cut short");
      const uint16_t format = Le16(b, body);
      const uint16_t channels = Le16(b, body + 2);
      const uint16_t bits = Le16(b, body + 14);
      // Extensible headers still carry plain PCM for 16-bit mono; the subformat's first two
      // bytes name it.
      const bool pcm = format == kFormatPcm ||
                       (format == kFormatExtensible && declared >= 40 && Le16(b, body + 24) == kFormatPcm);
      if (!pcm)
        return Refuse(path, "only PCM recordings can be read (format " + std::to_string(format) + ")");
      if (channels != 1)
        return Refuse(path, "only mono recordings can be read (" + std::to_string(channels) + " channels)");
      if (bits != 16)
        return Refuse(path, "only 16-bit samples can be read (" + std::to_string(bits) + " bits)");
      out.sampleRate = static_cast<int32_t>(Le32(b, body + 4));
      if (out.sampleRate <= 0) return Refuse(path, "sample rate is zero");
      haveFormat = true;
    } else if (Tag(b, at, "data")) {
      if (!haveFormat) return Refuse(path, "sound data comes before its format");
      // Recorders that stop abruptly leave a data size larger than what was written: read
      // what is there.
      const size_t bytes = std::min<size_t>(declared, available) & ~size_t{1};
      out.samples.resize(bytes / 2);
      for (size_t i = 0; i < out.samples.size(); ++i)
        out.samples[i] = static_cast<int16_t>(Le16(b, body + 2 * i));
      out.ok = true;
      return out;
    }
    if (declared > available) break;
    at = body + declared + (declared & 1u);  // chunks are padded to an even length
  }
  return Refuse(path, haveFormat ? "no sound data" : "no format chunk");
}

WavRead ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return Refuse(path, "cannot be opened");
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ParseWav(bytes, path);
}

}  // namespace zorvel::test
