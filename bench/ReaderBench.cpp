// Reader and map-building throughput on the generated busy-night ZV1 file of BenchFile.h.
//   ./build/release/bench/bench_reader --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/MinuteMap.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "BenchFile.h"

namespace {

using namespace zorvel;

using bench::BenchFile;

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
