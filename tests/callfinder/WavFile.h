// A small reader for the full-spectrum recordings the real-data tests use: 16-bit PCM, one
// channel. Metadata chunks that recorders add (GUANO, wamd and the like) are passed over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorvel::test {

struct WavRead {
  bool ok = false;
  std::string error;  // why the file was refused, when !ok
  int32_t sampleRate = 0;
  std::vector<int16_t> samples;
};

WavRead ReadWav(const std::string& path);

// The same, from bytes already in memory (path is only used in messages).
WavRead ParseWav(const std::vector<uint8_t>& bytes, const std::string& path);

}  // namespace zorvel::test
