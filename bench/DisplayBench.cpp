// Screen drawing times: a low-resolution screen covering the whole of a large ZV1 file (1 GiB by
// default; ZORVEL_BENCH_MB changes it; the same file as bench_reader), added up from the file's
// per-minute summary and, for comparison, from its records; and a high-resolution screen of one
// busy second. Targets: under 0.2 s from the summary, under 50 ms at high resolution. The first
// run makes the map and summary files beside the sample file; later runs read them.
//   QT_QPA_PLATFORM=offscreen ./build/release/bench/bench_display --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchFile.h"
#include "core/MinuteMap.h"
#include "core/MinuteSummary.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "display/Levels.h"
#include "display/Navigation.h"

namespace {

using namespace zorvel;

using bench::BenchFile;

struct Screen {
  FileSlots fileSlots;
  SilentHost host;
  ViewState view;
  DisplayOptions options;
  ReaderContext reader{host};
  ScreenPainter painter{fileSlots, view, options, reader};
  Navigator nav{fileSlots, view, painter, reader, host};

  explicit Screen(const std::string& path) {
    OpenFileInSlot(fileSlots, path, 1, host, {});
    fileSlots[1].FileYaxisType = tyFreq;
    LayoutInput in;
    in.clientWidth = 1920;
    in.clientHeight = 1000;
    painter.Resize(in);
    SetFullRange(view, fileSlots);
  }
};

void LowResWholeFile(benchmark::State& state, bool summary) {
  Screen s(BenchFile());
  const int level = FitToScreenLevel(s.view.RangeMinutes, s.view.layout.MinuteUnits);
  s.view.DisplayTimeUnit = level < 0 ? kLevelCount - 1 : level;
  ApplyLevel(s.view);
  s.painter.useSummaries = summary;
  s.nav.ShowFromStart();  // maps the file (and summarises it, or reads its summary) once
  for (auto _ : state) s.nav.ShowFromStart();
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(s.fileSlots[1].InFileRecs) * 16);
  state.counters["level"] = s.view.DisplayTimeUnit;
  if (s.fileSlots[1].Summary) state.counters["summaryMB"] = s.fileSlots[1].Summary->BodyBytes() / 1048576.0;
}
void BM_LowResWholeFile(benchmark::State& state) {
  LowResWholeFile(state, true);
}
void BM_LowResWholeFileFromRecords(benchmark::State& state) {
  LowResWholeFile(state, false);
}
BENCHMARK(BM_LowResWholeFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LowResWholeFileFromRecords)->Unit(benchmark::kMillisecond);

// A busy second: 5,000 wave groups (one every 200 µs) drawn at 1 ms a pixel.
std::string BusyFile() {
  const std::string path = (std::filesystem::temp_directory_path() / "zorvel_bench_busy.ZV1").string();
  std::vector<testing::SyntheticMinute> ms(2);
  ms[0].values.MinON = true;
  for (int k = 0; k < 5000; ++k)
    ms[0].records.push_back(testing::WaveGroup(1000 + 40 * k, static_cast<uint8_t>(40 + k % 80), 150));
  testing::WriteDataFile(path, testing::MakeHeader(65'000'000, 65'000'001), ms);
  return path;
}

void BM_HighResBusySecond(benchmark::State& state) {
  Screen s(BusyFile());
  s.view.DisplayTimeUnit = 5;
  ApplyLevel(s.view);
  const TRecTime at{s.view.RangeFirstMin, 0};
  for (auto _ : state) {
    s.nav.PositionAll(at);
    s.view.RequestedStart = at;
    s.nav.DrawHigh();
  }
  state.counters["octets"] = s.fileSlots[1].OctInThisScreen;
}
BENCHMARK(BM_HighResBusySecond)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  PopulatePrecalculatedArrays();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
