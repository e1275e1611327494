// Reader and map-building throughput on a generated ZV1 file (1 GiB by default; set
// ZORVEL_BENCH_MB to change it). The file is made once in the temporary folder and reused.
//   ./build/release/bench/bench_reader --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "support/Synthetic.h"

namespace {

using namespace zorvel;

int64_t TargetBytes() {
  const char* mb = std::getenv("ZORVEL_BENCH_MB");
  return (mb ? std::atoll(mb) : 1024) * 1024 * 1024 / 1024;
}

// A busy night: minutes of 2,000 wave groups with varied IPIs and amplitudes.
std::string BenchFile() {
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
      const std::array<uint8_t, 4> amps{static_cast<uint8_t>(x >> 24), static_cast<uint8_t>(x >> 16), 200, 240};
      w.Append(EncodeZV1WaveGroup(k * 5000 + 1, ipis, amps, static_cast<int32_t>(x & 31)));
    }
  }
  w.Finish();
  return path;
}

void BM_ReadAllRecords(benchmark::State& state) {
  PopulatePrecalculatedArrays();
  const std::string path = BenchFile();
  SilentHost host;
  int64_t bytes = 0;
  for (auto _ : state) {
    FileSlots slots;
    OpenFileInSlot(slots, path, 1, host, {});
    TFileRec& s = slots[1];
    ReaderContext ctx{host};
    int64_t octets = 0;
    while (s.InPlay) {
      if (ReadNextRecord(s, ctx) && s.NrType == tOctet) octets += s.aOct.avF;
    }
    benchmark::DoNotOptimize(octets);
    bytes += s.InFileRecs * 16;
  }
  state.SetBytesProcessed(bytes);
}

void BM_BuildMinuteMap(benchmark::State& state) {
  const std::string path = BenchFile();
  SilentHost host;
  int64_t bytes = 0;
  for (auto _ : state) {
    FileSlots slots;
    OpenFileInSlot(slots, path, 1, host, {});
    MapSlot(slots, 1, true, host);
    bytes += slots[1].InFileRecs * 16;
  }
  state.SetBytesProcessed(bytes);
}

BENCHMARK(BM_ReadAllRecords)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BuildMinuteMap)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
