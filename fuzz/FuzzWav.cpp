// Any bytes as samples (and a sample rate) written as a WAV file: the file read back has the
// header its layout promises and the samples, little-endian, exactly as given.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzHost.h"
#include "sound/Wav.h"

namespace {
uint32_t Le32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zorvel;
  if (size < 4) return 0;
  const uint32_t rate = Le32(data);
  std::vector<int16_t> samples((size - 4) / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(data[4 + 2 * i] | data[5 + 2 * i] << 8);
  const std::string path = fuzz::ScratchPath("out.wav");
  std::remove(path.c_str());
  std::string error;
  if (!sound::WriteWavFile(path, samples, rate, &error)) return 0;
  std::vector<uint8_t> back;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) back.insert(back.end(), buf, buf + n);
    std::fclose(f);
  }
  const size_t dataBytes = samples.size() * 2;
  if (back.size() != sound::kWavHeaderBytes + dataBytes) std::abort();
  if (std::memcmp(back.data(), "RIFF", 4) != 0 || std::memcmp(back.data() + 8, "WAVEfmt ", 8) != 0 ||
      std::memcmp(back.data() + 36, "data", 4) != 0)
    std::abort();
  if (Le32(&back[4]) != back.size() - 8 || Le32(&back[24]) != rate || Le32(&back[28]) != rate * 2 ||
      Le32(&back[40]) != dataBytes)
    std::abort();
  if (std::memcmp(back.data() + sound::kWavHeaderBytes, data + 4, dataBytes) != 0) std::abort();
  return 0;
}
