// Screen drawing times: a low-resolution screen covering the whole of a large ZV1 file (1 GiB by
// default; ZORVEL_BENCH_MB changes it; the same file as bench_reader) and a high-resolution
// screen of one busy second. Targets: under 2 s and under 50 ms.
//   QT_QPA_PLATFORM=offscreen ./build/release/bench/bench_display --benchmark_min_time=1
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/MinuteMap.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"
#include "display/Levels.h"
#include "display/Navigation.h"
#include "support/Synthetic.h"

namespace {

using namespace zorvel;

int64_t TargetBytes() {
  const char* mb = std::getenv("ZORVEL_BENCH_MB");
  return (mb ? std::atoll(mb) : 1024) * 1024 * 1024;
}

// A busy night: minutes of 2,000 wave groups with varied IPIs and amplitudes.
std::string BenchFile() {
  const int64_t target = TargetBytes();
  const std::string path =
      (std::filesystem::temp_directory_path() / ("zorvel_bench_" + std::to_string(target) + ".ZV1")).string();
  std::error_code ec;
  if (std::filesystem::file_size(path, ec) > static_cast<uintmax_t>(target) && !ec) return path;
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

void BM_LowResWholeFile(benchmark::State& state) {
  Screen s(BenchFile());
  const int level = FitToScreenLevel(s.view.RangeMinutes, s.view.layout.MinuteUnits);
  s.view.DisplayTimeUnit = level < 0 ? kLevelCount - 1 : level;
  ApplyLevel(s.view);
  for (auto _ : state) s.nav.ShowFromStart();
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(s.fileSlots[1].InFileRecs) * 16);
  state.counters["level"] = s.view.DisplayTimeUnit;
}
BENCHMARK(BM_LowResWholeFile)->Unit(benchmark::kMillisecond);

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
