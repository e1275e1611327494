// The recordings front end against a plain read of the same files, in the same run.
//
//   1. Throughput: a 500 kHz mono 16-bit WAV (60 s by default, 60 MB: background noise with a
//      pipistrelle-like call every 100 ms) is read plainly in 1 MiB blocks and run through the
//      spectral front end (read, convert, spectra, floors, tracks, waves, groups) and the
//      zero-crossing one, alternately, best of R
//      rounds each; prints MB/s of WAV and times real time for both, in the thread's CPU time
//      (the speed of one core, also on a busy machine).
//   2. Memory: the peak resident size after a recording of 10 s and after one of 120 s.
//   3. Many short recordings: N recordings of 50 ms imported into one night; the time per
//      recording of the first and the last tenth of them.
//
//   bench_recordings [--seconds S] [--rounds R] [--files N] [--dir PATH]
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "core/AtomicFile.h"
#include "core/Host.h"
#include "recordings/Recording.h"
#include "recordings/RecordingsImport.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

constexpr uint32_t kRate = 500'000;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

// CPU time of this thread: on a shared machine it measures what one core does, whatever else runs.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void Le16(std::vector<uint8_t>& b, uint16_t v) { b.push_back(v & 0xFF), b.push_back(static_cast<uint8_t>(v >> 8)); }
void Le32(std::vector<uint8_t>& b, uint32_t v) { Le16(b, v & 0xFFFF), Le16(b, static_cast<uint16_t>(v >> 16)); }

// Writes seconds of noise with a 50 → 45 kHz call of 5 ms every 100 ms, with a GUANO timestamp.
void WriteWav(const std::string& path, double seconds, const std::string& timestamp) {
  const auto n = static_cast<uint32_t>(seconds * kRate);
  std::vector<uint8_t> h;
  const std::string guano = "GUANO|Version:1.0\nTimestamp:" + timestamp + "\n";
  for (const char* t : {"RIFF"}) h.insert(h.end(), t, t + 4);
  Le32(h, 4 + 24 + 8 + 2 * n + 8 + static_cast<uint32_t>(guano.size()));
  for (const char* t : {"WAVEfmt "}) h.insert(h.end(), t, t + 8);
  Le32(h, 16), Le16(h, 1), Le16(h, 1), Le32(h, kRate), Le32(h, 2 * kRate), Le16(h, 2), Le16(h, 16);
  for (const char* t : {"guan"}) h.insert(h.end(), t, t + 4);
  Le32(h, static_cast<uint32_t>(guano.size()));
  h.insert(h.end(), guano.begin(), guano.end());
  if (guano.size() % 2) h.push_back(0);
  for (const char* t : {"data"}) h.insert(h.end(), t, t + 4);
  Le32(h, 2 * n);
  zorvel::AtomicFileWriter w(path);
  w.Write(h.data(), h.size());
  std::vector<uint8_t> block;
  uint32_t x = 7;
  double phase = 0;
  for (uint32_t i = 0; i < n; ++i) {
    x = x * 1664525u + 1013904223u;
    double v = static_cast<double>(static_cast<int32_t>(x >> 16) - 32768) / 200;
    const double t = std::fmod(static_cast<double>(i) / kRate, 0.1);
    if (t < 0.005) {
      const double khz = 50 - t / 0.005 * 5;
      phase += 2 * std::numbers::pi * khz * 1000 / kRate;
      v += 6000 * std::sin(phase);
    }
    Le16(block, static_cast<uint16_t>(static_cast<int16_t>(std::lround(v))));
    if (block.size() >= (1 << 20)) {
      w.Write(block.data(), block.size());
      block.clear();
    }
  }
  w.Write(block.data(), block.size());
  w.Commit();
}

int64_t PlainRead(const std::string& path) {
  std::vector<char> buf(1 << 20);
  std::FILE* f = std::fopen(path.c_str(), "rb");
  int64_t total = 0, sum = 0;
  for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), f)) > 0;) {
    total += static_cast<int64_t>(n);
    sum += buf[n / 2];  // touch the bytes
  }
  std::fclose(f);
  return total + (sum & 0);
}

int64_t FrontEnd(const std::string& path,
                 zorvel::rec::FrontEndKind kind = zorvel::rec::FrontEndKind::Spectral) {
  zorvel::rec::ReadOptions o;
  o.frontEnd.kind = kind;
  const auto info = zorvel::rec::ProbeRecording(path, o);
  int64_t groups = 0;
  zorvel::rec::ReadWaveGroups(info, o, [&](const std::vector<zorvel::rec::WaveGroup>& g) { groups += static_cast<int64_t>(g.size()); }, nullptr);
  return groups;
}

long PeakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

struct TimingHost : zorvel::Host {
  std::vector<Clock::time_point> at;
  void TimedMessage(std::string_view, int) override {}
  void AddLine(zorvel::Memo, std::string_view) override {}
  zorvel::Answer Ask(std::string_view, zorvel::Buttons) override { return zorvel::Answer::No; }
  std::optional<std::string> ChooseSavePath(const zorvel::SaveRequest&) override { return std::nullopt; }
  void Progress(std::string_view caption, int, int) override {
    if (!caption.empty()) at.push_back(Clock::now());
  }
  bool StopRequested() override { return false; }
  bool AdministratorMode() const override { return false; }
};

}  // namespace

int main(int argc, char** argv) {
  double seconds = 60;
  int rounds = 5, files = 10'000;
  fs::path dir = fs::temp_directory_path() / "zorvel_bench_recordings";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--seconds")) seconds = std::atof(argv[i + 1]);
    if (!std::strcmp(argv[i], "--rounds")) rounds = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--files")) files = std::atoi(argv[i + 1]);
    if (!std::strcmp(argv[i], "--dir")) dir = argv[i + 1];
  }
  fs::remove_all(dir);
  fs::create_directories(dir);

  const std::string big = (dir / "long.wav").string();
  WriteWav(big, seconds, "2024-06-01 22:00:00");
  const double mb = static_cast<double>(fs::file_size(big)) / 1e6;
  double bestRead = 1e30, bestFront = 1e30, bestCrossing = 1e30;
  int64_t groups = 0, crossingGroups = 0;
  for (int r = 0; r < rounds; ++r) {
    const double t0 = CpuSeconds();
    PlainRead(big);
    const double t1 = CpuSeconds();
    groups = FrontEnd(big);
    const double t2 = CpuSeconds();
    crossingGroups = FrontEnd(big, zorvel::rec::FrontEndKind::ZeroCrossing);
    const double t3 = CpuSeconds();
    bestRead = std::min(bestRead, t1 - t0);
    bestFront = std::min(bestFront, t2 - t1);
    bestCrossing = std::min(bestCrossing, t3 - t2);
  }
  std::printf("WAV %.1f MB (%.0f s at 500 kHz, 16-bit mono), best of %d, in CPU time of one core\n", mb, seconds, rounds);
  std::printf("  plain read   %8.1f MB/s  %7.0f x real time\n", mb / bestRead, seconds / bestRead);
  std::printf("  front end    %8.1f MB/s  %7.0f x real time  (%lld wave groups)\n", mb / bestFront,
              seconds / bestFront, static_cast<long long>(groups));
  std::printf("  zero-crossing front end %8.1f MB/s  %7.0f x real time  (%lld wave groups)\n", mb / bestCrossing,
              seconds / bestCrossing, static_cast<long long>(crossingGroups));
  std::printf("  front end / plain read: %.2f\n", bestRead / bestFront);

  const std::string shortWav = (dir / "short.wav").string(), longWav = (dir / "long120.wav").string();
  WriteWav(shortWav, 10, "2024-06-01 22:00:00");
  WriteWav(longWav, 120, "2024-06-01 22:00:00");
  FrontEnd(shortWav);
  const long afterShort = PeakRssKb();
  FrontEnd(longWav);
  const long afterLong = PeakRssKb();
  std::printf("peak resident size: %ld kB after a 10-s recording, %ld kB after a 120-s one\n", afterShort, afterLong);
  fs::remove(shortWav), fs::remove(longWav), fs::remove(big);

  const fs::path many = dir / "many";
  fs::create_directories(many);
  for (int i = 0; i < files; ++i) {
    char name[32], stamp[40];
    std::snprintf(name, sizeof name, "r%05d.wav", i);
    const int s = i;  // one a second from 21:00
    std::snprintf(stamp, sizeof stamp, "2024-06-01 %02d:%02d:%02d", 21 + s / 3600, s / 60 % 60, s % 60);
    WriteWav((many / name).string(), 0.05, stamp);
  }
  zorvel::rec::RecordingsImportOptions io;
  io.inputs = {many.string()};
  io.outFolder = (dir / "out").string();
  TimingHost host;
  const auto t0 = Clock::now();
  const auto r = zorvel::rec::ImportRecordings(io, host);
  const auto t1 = Clock::now();
  const size_t tenth = std::max<size_t>(1, host.at.size() / 10);
  const double first = host.at.size() > tenth ? Seconds(host.at[0], host.at[tenth]) / static_cast<double>(tenth) : 0;
  const double last = host.at.size() > tenth
                          ? Seconds(host.at[host.at.size() - 1 - tenth], host.at.back()) / static_cast<double>(tenth)
                          : 0;
  std::printf("%d recordings of 50 ms: %.2f s in all (headers and writing included), %d read, %zu files made\n", files,
              Seconds(t0, t1), r.read, r.madeFiles.size());
  std::printf("  per recording: first tenth %.3f ms, last tenth %.3f ms\n", first * 1e3, last * 1e3);
  fs::remove_all(dir);
  return 0;
}
