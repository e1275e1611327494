// Scores the call finder against the logger simulator's ground truth: simulate a card, import
// it, find the calls, and for each species the simulator drew print how many of its calls were
// found and how many were given that species. Usage:
//   score_callfinder --dir DIR [--nights N] [--seed S] [--activity A] [--jobs J] [--no-noise]
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "Zv2Reading.h"
#include "callfinder/Batch.h"
#include "core/Tables.h"
#include "import/SdImport.h"
#include "sim/Simulator.h"

namespace {

using namespace zorvel;
namespace fs = std::filesystem;

struct TruthCall {
  int32_t minute = 0, tick = 0, spN = 0;
  std::string species, kind;
  double ms = 0;
};

std::vector<TruthCall> ReadTruth(const std::string& path) {
  std::vector<TruthCall> out;
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> f;
    std::stringstream ss(line);
    for (std::string x; std::getline(ss, x, '\t');) f.push_back(x);
    if (f.size() < 10) continue;
    TruthCall t;
    t.minute = std::stoi(f[0]);
    t.tick = std::stoi(f[2]);
    t.species = f[3];
    t.spN = std::stoi(f[4]);
    t.kind = f[5];
    t.ms = std::stod(f[8]);
    out.push_back(t);
  }
  return out;
}

struct Score {
  int total = 0, found = 0, right = 0;
};

}  // namespace

int main(int argc, char** argv) {
  sim::SimOptions so;
  std::string dir;
  int jobs = 2;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
    if (a == "--dir") dir = next();
    if (a == "--nights") so.nights = std::stoi(next());
    if (a == "--seed") so.seed = std::stoull(next());
    if (a == "--activity") so.activity = std::stod(next());
    if (a == "--jobs") jobs = std::stoi(next());
    if (a == "--no-noise") so.noise = false;
  }
  if (dir.empty()) {
    std::fprintf(stderr,
                 "usage: score_callfinder --dir DIR [--nights N] [--seed S] [--activity A] [--jobs J]\n");
    return 2;
  }
  PopulatePrecalculatedArrays();
  fs::remove_all(dir);
  so.outDir = (fs::path(dir) / "card").string();
  so.truthPath = (fs::path(dir) / "truth.txt").string();
  const sim::SimResult simulated = sim::SimulateCard(so);
  if (!simulated.ok) {
    std::fprintf(stderr, "simulate: %s\n", simulated.error.c_str());
    return 1;
  }
  SilentHost host;
  ImportOptions io;
  io.SdPath = so.outDir;
  io.Zv1Folder = (fs::path(dir) / "zv1").string();
  io.Zv1FolderChosen = true;
  fs::create_directories(io.Zv1Folder);
  SdCardImport import;
  const ImportResult imported = import.Run(io, host);
  if (imported.MadeFiles.empty()) {
    std::fprintf(stderr, "import made no files: %s\n", imported.Error.c_str());
    return 1;
  }
  BatchOptions bo;
  bo.Jobs = jobs;
  bo.ShowDetectionSummary = false;
  KeepAwake none;
  const auto t0 = std::chrono::steady_clock::now();
  const BatchResult found = RunCallFindingBatch(imported.MadeFiles, bo, host, none);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

  // Found calls by minute, each to be matched once.
  std::map<int32_t, std::vector<test::ReadCall>> byMinute;
  int64_t zv1Bytes = 0, foundCalls = 0;
  for (const std::string& f : imported.MadeFiles) zv1Bytes += static_cast<int64_t>(fs::file_size(f));
  for (const std::string& z : found.zv2Files)
    for (auto& c : test::ReadZv2Calls(z)) {
      byMinute[c.minute].push_back(std::move(c));
      ++foundCalls;
    }
  std::map<int32_t, std::vector<bool>> used;
  for (auto& [m, v] : byMinute) used[m].assign(v.size(), false);

  std::map<std::string, Score> ordinary, buzz;
  int matchedFound = 0;
  for (const TruthCall& t : ReadTruth(simulated.truthPath)) {
    if (t.kind == "buzz") continue;
    Score& s = (t.kind == "call" ? ordinary : buzz)[std::to_string(t.spN) + " " + t.species];
    ++s.total;
    auto it = byMinute.find(t.minute);
    if (it == byMinute.end()) continue;
    const int32_t end = t.tick + static_cast<int32_t>(t.ms * 200.0);
    for (size_t i = 0; i < it->second.size(); ++i) {
      const tCall& c = it->second[i].call;
      if (used[t.minute][i] || c.StartTime < t.tick - 200 || c.StartTime > end) continue;
      used[t.minute][i] = true;
      ++matchedFound;
      ++s.found;
      if (c.SpN == t.spN) ++s.right;
      break;
    }
  }
  auto print = [](const char* title, const std::map<std::string, Score>& table) {
    std::printf("%s\nspecies\tsimulated\tfound\tfound %%\tright SpN\tright SpN %%\n", title);
    Score all;
    for (const auto& [name, s] : table) {
      std::printf("%s\t%d\t%d\t%.1f\t%d\t%.1f\n", name.c_str(), s.total, s.found,
                  s.total ? 100.0 * s.found / s.total : 0.0, s.right,
                  s.total ? 100.0 * s.right / s.total : 0.0);
      all.total += s.total;
      all.found += s.found;
      all.right += s.right;
    }
    std::printf("all\t%d\t%d\t%.1f\t%d\t%.1f\n\n", all.total, all.found,
                all.total ? 100.0 * all.found / all.total : 0.0, all.right,
                all.total ? 100.0 * all.right / all.total : 0.0);
  };
  print("Ordinary calls", ordinary);
  print("Buzz calls", buzz);
  std::printf(
      "ZV1 files: %zu, %.1f MB; calls in the ZV2 files: %lld, of which matched to no simulated call: %lld\n",
      imported.MadeFiles.size(), static_cast<double>(zv1Bytes) / 1e6, static_cast<long long>(foundCalls),
      static_cast<long long>(foundCalls - matchedFound));
  std::printf("call finding: %.2f s, %.1f MB/s at %d jobs\n", seconds,
              static_cast<double>(zv1Bytes) / 1e6 / seconds, jobs);
  return 0;
}
