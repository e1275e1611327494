#include "recordings/WavReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "recordings/Messages.h"

namespace zorvel::rec {

namespace {
constexpr uint32_t kMaxSampleRate = 5'000'000;
}  // namespace

namespace {

constexpr uint16_t kPcm = 1, kFloat = 3, kExtensible = 0xFFFE;
constexpr uint32_t kSizeStillOpen = 0xFFFFFFFFu;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
bool Is(const uint8_t* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

WavLayout Refuse(WavLayout w, std::string_view why) {
  w.ok = false;
  w.error = std::string(why);
  return w;
}

std::string ReadText(ByteSource& src, uint64_t at, uint32_t n) {
  std::string s(n, '\0');
  s.resize(src.ReadAt(at, s.data(), n));
  return s;
}

std::string TrimNul(std::string s) {
  const size_t end = s.find('\0');
  if (end != std::string::npos) s.resize(end);
  return s;
}

// The INFO list's comment (ICMT), if any.
std::string InfoComment(const std::string& list) {
  if (list.size() < 4 || list.compare(0, 4, "INFO") != 0) return {};
  size_t at = 4;
  while (at + 8 <= list.size()) {
    const auto* p = reinterpret_cast<const uint8_t*>(list.data() + at);
    const uint32_t n = Le32(p + 4);
    if (n > list.size() - at - 8) break;
    if (Is(p, "ICMT")) return TrimNul(list.substr(at + 8, n));
    at += 8 + n + (n & 1u);
  }
  return {};
}

}  // namespace

std::string FormatName(uint16_t tag) {
  switch (tag) {
    case 0x0002: return "MS ADPCM";
    case 0x0006: return "A-law";
    case 0x0007: return "mu-law";
    case 0x0011: return "IMA ADPCM";
    case 0x0031: return "GSM 6.10";
    case 0x0050: return "MPEG";
    case 0x0055: return "MPEG Layer 3";
    case 0x00FF: return "AAC";
    case 0x0161: return "Windows Media Audio";
    case 0xF1AC: return "FLAC";
    default: break;
  }
  char buf[16];
  std::snprintf(buf, sizeof buf, "format 0x%04X", tag);
  return buf;
}

WavLayout ReadWavLayout(ByteSource& src) {
  WavLayout w;
  const uint64_t size = src.Size();
  uint8_t head[12];
  if (src.ReadAt(0, head, 12) < 12 || !(Is(head, "RIFF") || Is(head, "RIFX"))) return Refuse(w, msg::rec::kNotRiff);
  if (!Is(head + 8, "WAVE")) return Refuse(w, msg::rec::kNotWave);
  bool haveFmt = false, haveData = false;
  uint32_t declaredData = 0;
  uint64_t at = 12;
  while (at + 8 <= size) {
    uint8_t ch[8];
    if (src.ReadAt(at, ch, 8) < 8) break;
    const uint32_t n = Le32(ch + 4);
    const uint64_t body = at + 8;
    const uint64_t available = size - body;
    if (Is(ch, "data")) {
      haveData = true;
      w.dataOffset = body;
      declaredData = n;
      if (n == 0 || n == kSizeStillOpen) {
        // Still being written: everything after the header is sound.
        if (available > 0) w.warnings.emplace_back(msg::rec::kDataStillOpen);
        declaredData = static_cast<uint32_t>(std::min<uint64_t>(available, 0xFFFFFFFEu));
        break;
      }
      if (n > available) {
        w.warnings.emplace_back(msg::rec::kDataTruncated);
        declaredData = static_cast<uint32_t>(available);
        break;
      }
    } else if (n > available) {
      if (!(haveFmt && haveData)) w.warnings.emplace_back(msg::rec::kChunkPastEnd);
      break;
    } else if (Is(ch, "fmt ")) {
      if (n < 16) return Refuse(w, msg::rec::kFmtTooShort);
      uint8_t f[40] = {};
      src.ReadAt(body, f, std::min<uint32_t>(n, 40));
      w.formatTag = Le16(f);
      w.channels = Le16(f + 2);
      w.sampleRate = Le32(f + 4);
      w.blockAlign = Le16(f + 12);
      w.bitsPerSample = Le16(f + 14);
      // The extensible header names the real format in the first two bytes of its subformat.
      if (w.formatTag == kExtensible && n >= 40) w.formatTag = Le16(f + 24);
      haveFmt = true;
    } else if (Is(ch, "guan")) {
      if (n <= kMaxMetadataBytes) w.guano = TrimNul(ReadText(src, body, n));
      else w.warnings.emplace_back(msg::rec::kGuanoTooLong);
    } else if (Is(ch, "LIST") && n <= kMaxMetadataBytes) {
      const std::string c = InfoComment(ReadText(src, body, n));
      if (!c.empty()) w.comment = c;
    } else if (Is(ch, "bext") && n >= 338) {
      w.bextDate = TrimNul(ReadText(src, body + 320, 10));
      w.bextTime = TrimNul(ReadText(src, body + 330, 8));
    }
    at = body + n + (n & 1u);
  }
  if (!haveFmt) return Refuse(w, msg::rec::kNoFmt);
  if (!haveData) return Refuse(w, msg::rec::kNoData);
  if (w.formatTag != kPcm && w.formatTag != kFloat)
    return Refuse(w, std::string(msg::rec::kCompressed) + FormatName(w.formatTag));
  if (w.channels == 0) return Refuse(w, msg::rec::kNoChannels);
  if (w.sampleRate == 0) return Refuse(w, msg::rec::kNoRate);
  // Full-spectrum bat recorders sample at up to about 1.5 MHz; a rate far past that is a
  // damaged field, and would make every minute of the recording a handful of samples.
  if (w.sampleRate > kMaxSampleRate)
    return Refuse(w, std::string(msg::rec::kRateTooHigh1) + std::to_string(w.sampleRate) +
                         std::string(msg::rec::kRateTooHigh2));
  if (w.formatTag == kFloat) {
    if (w.bitsPerSample != 32) return Refuse(w, msg::rec::kBadBits);
    w.kind = SampleKind::Float32;
  } else {
    switch (w.bitsPerSample) {
      case 8: w.kind = SampleKind::Unsigned8; break;
      case 16: w.kind = SampleKind::Int16; break;
      case 24: w.kind = SampleKind::Int24; break;
      case 32: w.kind = SampleKind::Int32; break;
      default: return Refuse(w, msg::rec::kBadBits);
    }
  }
  if (w.blockAlign != w.channels * (w.bitsPerSample / 8)) return Refuse(w, msg::rec::kBadBlockAlign);
  w.frames = declaredData / w.blockAlign;
  if (w.frames == 0) return Refuse(w, msg::rec::kNoSamples);
  w.ok = true;
  return w;
}

SampleStream::SampleStream(ByteSource& src, const WavLayout& layout, int channel)
    : src_(src), layout_(layout), channel_(channel) {}

void SampleStream::Seek(uint64_t frame) { next_ = std::min(frame, layout_.frames); }

size_t SampleStream::Read(float* out, size_t n) {
  n = static_cast<size_t>(std::min<uint64_t>(n, layout_.frames - next_));
  if (n == 0) return 0;
  const size_t align = layout_.blockAlign;
  raw_.resize(n * align);
  const size_t got = src_.ReadAt(layout_.dataOffset + next_ * align, raw_.data(), n * align) / align;
  const uint8_t* p = raw_.data() + static_cast<size_t>(channel_) * (layout_.bitsPerSample / 8);
  switch (layout_.kind) {
    case SampleKind::Int16:
      if (align == 2) {
        for (size_t i = 0; i < got; ++i) out[i] = static_cast<int16_t>(Le16(p + 2 * i));
      } else {
        for (size_t i = 0; i < got; ++i) out[i] = static_cast<int16_t>(Le16(p + i * align));
      }
      break;
    case SampleKind::Unsigned8:
      for (size_t i = 0; i < got; ++i) out[i] = (static_cast<float>(p[i * align]) - 128.0f) * 256.0f;
      break;
    case SampleKind::Int24:
      for (size_t i = 0; i < got; ++i) {
        const uint8_t* q = p + i * align;
        const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(q[0]) << 8 | static_cast<uint32_t>(q[1]) << 16 |
                                               static_cast<uint32_t>(q[2]) << 24) >> 8;
        out[i] = static_cast<float>(v) / 256.0f;
      }
      break;
    case SampleKind::Int32:
      for (size_t i = 0; i < got; ++i) out[i] = static_cast<float>(static_cast<int32_t>(Le32(p + i * align))) / 65536.0f;
      break;
    case SampleKind::Float32:
      for (size_t i = 0; i < got; ++i) {
        const uint32_t bits = Le32(p + i * align);
        float v;
        std::memcpy(&v, &bits, 4);
        out[i] = std::isfinite(v) ? v * 32768.0f : 0.0f;
      }
      break;
  }
  next_ += got;
  return got;
}

}  // namespace zorvel::rec
