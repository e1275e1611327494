// A period export against the bare reader over the same generated file: the export reads through
// the filters and counts every record, and should stay within 20 % of the reader's own speed.
//   ZORVEL_BENCH_MB=1024 ./build/release/bench/bench_export --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include "BenchFile.h"
#include "core/RecordReader.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "export/PeriodExport.h"

namespace {

using namespace zorvel;

// The reader alone; with a non-zero argument, reading through the (default) filters as an
// export does, which shows what of the export's cost is the filters' own.
void BM_BareReader(benchmark::State& state) {
  PopulatePrecalculatedArrays();
  const std::string path = bench::BenchFile();
  SilentHost host;
  FilterSettings settings;
  SpeciesListModel species;
  const CallFilter filter(settings, species);
  int64_t bytes = 0;
  for (auto _ : state) {
    FileSlots slots;
    OpenFileInSlot(slots, path, 1, host, {});
    TFileRec& s = slots[1];
    ReaderContext ctx{host, state.range(0) ? &filter : nullptr};
    int64_t octets = 0;
    while (s.InPlay) {
      if (ReadNextRecord(s, ctx) && s.NrType == tOctet) ++octets;
    }
    benchmark::DoNotOptimize(octets);
    bytes += s.InFileRecs * 16;
  }
  state.SetBytesProcessed(bytes);
}

void BM_PeriodExport(benchmark::State& state) {
  PopulatePrecalculatedArrays();
  const std::string path = bench::BenchFile();
  SilentHost host;
  FilterSettings settings;
  SpeciesListModel species;
  const ExportFilters filters{settings, species};
  ExportOptions o;
  o.kind = static_cast<ExportKind>(state.range(0));
  o.period = ExportPeriod::Hours;
  int64_t bytes = 0;
  for (auto _ : state) {
    FileSlots slots;
    OpenFileInSlot(slots, path, 1, host, {});
    PeriodExportRun run(o, filters, host);
    run.ExportDataFrom(slots, 1);
    bytes += slots[1].InFileRecs * 16;
  }
  state.SetBytesProcessed(bytes);
}

BENCHMARK(BM_BareReader)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PeriodExport)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
