// How long opening a large ZV1 file takes the first time (no minute map or summary beside it:
// opening scans every record to build them and writes both) and the next time (both read back).
//   make_sample big.ZV1 10000 2000 && bench_first_open big.ZV1 [REPEATS]
// Each repeat times one first and one second opening with the file's pages in the page cache
// (warm) and once more with them dropped from it first (cold: posix_fadvise DONTNEED, which
// evicts only this file's pages and needs no privileges). Prints the median of the repeats.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/MinuteMap.h"
#include "core/MinuteSummary.h"
#include "core/SlotFiles.h"
#include "core/Tables.h"

namespace {

using namespace zorvel;
namespace fs = std::filesystem;

void DropFromPageCache(const std::string& path) {
  if (path.empty() || !fs::exists(path)) return;
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) return;
  ::fdatasync(fd);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

struct Opening {
  double seconds = 0;
  bool mapWritten = false;
  int64_t records = 0;
};

Opening OpenOnce(const std::string& path) {
  SilentHost host;
  FileSlots slots;
  const auto start = std::chrono::steady_clock::now();
  const OpenOutcome o = OpenFileInSlot(slots, path, 1, host, {});
  const auto end = std::chrono::steady_clock::now();
  Opening r;
  r.seconds = std::chrono::duration<double>(end - start).count();
  r.mapWritten = o.mapFileWritten;
  r.records = slots[1].InFileRecs;
  if (!o.opened) {
    std::fprintf(stderr, "%s could not be opened\n", path.c_str());
    std::exit(1);
  }
  CloseSlot(slots, 1);
  return r;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_first_open FILE.ZV1 [REPEATS]\n");
    return 2;
  }
  PopulatePrecalculatedArrays();
  const std::string path = argv[1];
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const double mb = static_cast<double>(fs::file_size(path)) / 1e6;

  // The sidecars' names, from a slot that has the file open.
  std::string map, summary;
  {
    SilentHost host;
    FileSlots slots;
    OpenOptions quick;
    quick.mapAtOpening = false;
    if (!OpenFileInSlot(slots, path, 1, host, quick).opened) {
      std::fprintf(stderr, "%s could not be opened\n", path.c_str());
      return 1;
    }
    map = MapFileName(slots[1]);
    summary = SummaryFileName(path, slots[1].FileType);
    CloseSlot(slots, 1);
  }

  std::vector<double> firstWarm, secondWarm, firstCold, secondCold;
  int64_t records = 0;
  for (int r = 0; r < repeats; ++r) {
    for (const bool cold : {false, true}) {
      fs::remove(map);
      fs::remove(summary);
      if (cold) DropFromPageCache(path);
      const Opening first = OpenOnce(path);
      if (!first.mapWritten || !fs::exists(map)) {
        std::fprintf(stderr, "the first opening wrote no map file (%s)\n", map.c_str());
        return 1;
      }
      if (cold) {
        DropFromPageCache(path);
        DropFromPageCache(map);
        DropFromPageCache(summary);
      }
      const Opening second = OpenOnce(path);
      if (second.mapWritten) {
        std::fprintf(stderr, "the second opening built the map again\n");
        return 1;
      }
      (cold ? firstCold : firstWarm).push_back(first.seconds);
      (cold ? secondCold : secondWarm).push_back(second.seconds);
      records = first.records;
    }
  }
  std::printf("file: %s, %.1f MB, %lld records; map %s (%lld bytes), summary %s (%lld bytes)\n", path.c_str(),
              mb, static_cast<long long>(records), fs::path(map).filename().c_str(),
              static_cast<long long>(fs::file_size(map)), fs::path(summary).filename().c_str(),
              static_cast<long long>(fs::exists(summary) ? fs::file_size(summary) : 0));
  std::printf("median of %d repeats   first open (no map)        second open (map present)\n", repeats);
  const double fw = Median(firstWarm), sw = Median(secondWarm), fc = Median(firstCold),
               sc = Median(secondCold);
  std::printf("warm page cache        %8.3f s  (%7.1f MB/s)   %8.4f s\n", fw, mb / fw, sw);
  std::printf("cold (file dropped)    %8.3f s  (%7.1f MB/s)   %8.4f s\n", fc, mb / fc, sc);
  return 0;
}
