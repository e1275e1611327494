#include "sound/Wav.h"

#include <cstring>

#include "core/AtomicFile.h"
#include "sound/Messages.h"

namespace zorvel::sound {

namespace {
void PutLe16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
void PutLe32u(uint8_t* p, uint32_t v) {
  PutLe16(p, v & 0xFFFF);
  PutLe16(p + 2, v >> 16);
}
}  // namespace

std::optional<std::array<uint8_t, kWavHeaderBytes>> WavHeader(uint32_t sampleRate, uint64_t dataBytes) {
  if (dataBytes > 0xFFFF'FFFFull - 36) return std::nullopt;
  std::array<uint8_t, kWavHeaderBytes> h{};
  std::memcpy(&h[0], "RIFF", 4);
  PutLe32u(&h[4], static_cast<uint32_t>(36 + dataBytes));
  std::memcpy(&h[8], "WAVEfmt ", 8);
  PutLe32u(&h[16], 16);
  PutLe16(&h[20], 1);
  PutLe16(&h[22], 1);
  PutLe32u(&h[24], sampleRate);
  PutLe32u(&h[28], sampleRate * 2);
  PutLe16(&h[32], 2);
  PutLe16(&h[34], 16);
  std::memcpy(&h[36], "data", 4);
  PutLe32u(&h[40], static_cast<uint32_t>(dataBytes));
  return h;
}

bool WriteWavFile(const std::string& path, const std::vector<int16_t>& samples, uint32_t sampleRate,
                  std::string* error) {
  const auto header = WavHeader(sampleRate, 2ull * samples.size());
  if (!header) {
    if (error) *error = std::string(msg::kWavTooLarge);
    return false;
  }
  AtomicFileWriter out(path);
  bool ok = out.Write(header->data(), header->size());
  // Samples go out in blocks, little-endian whatever the machine.
  std::vector<uint8_t> block;
  block.reserve(1 << 16);
  for (size_t i = 0; ok && i < samples.size(); ++i) {
    const auto u = static_cast<uint16_t>(samples[i]);
    block.push_back(static_cast<uint8_t>(u));
    block.push_back(static_cast<uint8_t>(u >> 8));
    if (block.size() >= (1 << 16) || i + 1 == samples.size()) {
      ok = out.Write(block.data(), block.size());
      block.clear();
    }
  }
  ok = ok && out.Commit();
  if (!ok && error) *error = out.ErrorText();
  return ok;
}

}  // namespace zorvel::sound
