// WAV files: RIFF/WAVE, PCM, one channel, 16-bit little-endian samples after a 44-byte header.
//   0 "RIFF"  4 u32 file size - 8  8 "WAVE"  12 "fmt "  16 u32 16  20 u16 1 (PCM)  22 u16 1
//   24 u32 sample rate  28 u32 byte rate  32 u16 2  34 u16 16  36 "data"  40 u32 data bytes
// Both size fields carry their full 32 bits, so files over 16 MB stay readable.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvel::sound {

constexpr int kWavHeaderBytes = 44;
constexpr uint32_t kLiveSampleRate = 44'100;
constexpr uint32_t kReconstructionSampleRate = 500'000;

// Nothing when the data is too large for the 32-bit sizes.
std::optional<std::array<uint8_t, kWavHeaderBytes>> WavHeader(uint32_t sampleRate, uint64_t dataBytes);

// Writes the samples as a WAV file, whole or not at all. False with a reason on failure.
bool WriteWavFile(const std::string& path, const std::vector<int16_t>& samples, uint32_t sampleRate,
                  std::string* error = nullptr);

}  // namespace zorvel::sound
