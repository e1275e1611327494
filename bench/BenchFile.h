// The generated data file the benchmarks read: a busy night of ZV1 minutes, 1 GiB by default
// (set ZORVEL_BENCH_MB to change it), made once in the temporary folder and reused.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/BinaryFile.h"
#include "support/Synthetic.h"

namespace zorvel::bench {

inline int64_t TargetBytes() {
  const char* mb = std::getenv("ZORVEL_BENCH_MB");
  return (mb ? std::atoll(mb) : 1024) * 1024 * 1024 / 1024;
}

// A busy night: minutes of 2,000 wave groups with varied IPIs and amplitudes.
inline std::string BenchFile() {
  const int64_t target = TargetBytes() * 1024;
  const std::string path =
      (std::filesystem::temp_directory_path() / ("zorvel_bench_" + std::to_string(target) + ".ZV1")).string();
  if (FileSizeOf(path) > target) return path;
  constexpr int kPerMinute = 2000;
  const int64_t minutes = target / (16 * (kPerMinute + 1)) + 1;
  const int32_t first = 65'000'000;
  ZvFileWriter w(path, testing::MakeHeader(first, first + static_cast<int32_t>(minutes) - 1));
  uint32_t x = 1;
  for (int64_t m = 0; m < minutes; ++m) {
    MinuteValues v;
    v.MinON = true;
    w.Append(EncodeMinuteRecord(v));
    for (int k = 0; k < kPerMinute; ++k) {
      x = x * 1664525u + 1013904223u;
      std::array<uint8_t, 8> ipis;
      for (int i = 0; i < 8; ++i) ipis[i] = static_cast<uint8_t>(20 + ((x >> (i * 3)) & 127));
      const std::array<uint8_t, 4> amps{static_cast<uint8_t>(x >> 24), static_cast<uint8_t>(x >> 16), 200,
                                        240};
      w.Append(EncodeZV1WaveGroup(k * 5000 + 1, ipis, amps, static_cast<int32_t>(x & 31)));
    }
  }
  w.Finish();
  return path;
}

}  // namespace zorvel::bench
