// Import throughput against a plain copy of the same bytes, in the same run: simulates a card
// once, then alternates "copy every .NXQ file in 1 MiB blocks" and "import the card", keeping
// the best time of each, and prints MB/s of both and their ratio (the import should reach at
// least half the copy's speed).
//
//   bench_import_throughput [--nights N] [--rounds R] [--dir PATH]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Host.h"
#include "import/SdImport.h"
#include "sim/Simulator.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

int64_t CopyCard(const std::string& sd, const std::string& out) {
  std::vector<char> buf(1 << 20);
  int64_t total = 0;
  for (const auto& e : fs::directory_iterator(sd)) {
    std::FILE* in = std::fopen(e.path().c_str(), "rb");
    if (!in) continue;
    zorvel::AtomicFileWriter w((fs::path(out) / e.path().filename()).string());
    for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), in)) > 0;) {
      w.Write(buf.data(), n);
      total += static_cast<int64_t>(n);
    }
    std::fclose(in);
    w.Commit();
  }
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  int nights = 4, rounds = 5;
  std::string dir = (fs::temp_directory_path() / "zorvel_import_bench").string();
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--nights")) nights = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--rounds")) rounds = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
  }
  fs::remove_all(dir);
  zorvel::sim::SimOptions so;
  so.outDir = (fs::path(dir) / "sd").string();
  so.nights = nights;
  so.activity = 3;
  so.seed = 2026;
  const auto t0 = Clock::now();
  const auto sim = zorvel::sim::SimulateCard(so);
  const auto t1 = Clock::now();
  if (!sim.ok) {
    std::fprintf(stderr, "simulate: %s\n", sim.error.c_str());
    return 1;
  }
  int64_t cardBytes = 0;
  for (const auto& e : fs::directory_iterator(so.outDir)) cardBytes += static_cast<int64_t>(e.file_size());
  const double mb = static_cast<double>(cardBytes) / 1e6;
  std::printf("simulated %d nights: %.1f MB, %lld wave groups in %.2f s\n", nights, mb,
              static_cast<long long>(sim.TotalWaveGroups()), Seconds(t0, t1));

  double bestCopy = 1e9, bestImport = 1e9;
  for (int r = 0; r < rounds; ++r) {
    const std::string copyOut = (fs::path(dir) / "copy").string(),
                      importOut = (fs::path(dir) / "zv1").string();
    fs::remove_all(copyOut);
    fs::remove_all(importOut);
    fs::create_directories(copyOut);
    fs::create_directories(importOut);

    auto a = Clock::now();
    CopyCard(so.outDir, copyOut);
    auto b = Clock::now();
    bestCopy = std::min(bestCopy, Seconds(a, b));

    zorvel::SilentHost host;
    zorvel::SdCardImport importer;
    zorvel::ImportOptions io;
    io.SdPath = so.outDir;
    io.Zv1Folder = importOut;
    io.Zv1FolderChosen = true;
    a = Clock::now();
    const auto res = importer.Run(io, host);
    b = Clock::now();
    if (!res.Completed) {
      std::fprintf(stderr, "import failed: %s\n", res.Error.c_str());
      return 1;
    }
    bestImport = std::min(bestImport, Seconds(a, b));
  }
  std::printf("plain copy: %8.1f MB/s (best of %d, %.3f s)\n", mb / bestCopy, rounds, bestCopy);
  std::printf("import:     %8.1f MB/s (best of %d, %.3f s)\n", mb / bestImport, rounds, bestImport);
  std::printf("import / copy speed ratio: %.2f\n", bestCopy / bestImport);
  fs::remove_all(dir);
  return 0;
}
