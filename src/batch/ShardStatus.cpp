#include "batch/ShardStatus.h"

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "batch/Csv.h"
#include "core/AtomicFile.h"

namespace zorvel::batch {

namespace {
const std::vector<std::string> kHeading = {"line",  "input",   "state",   "reason",
                                           "bytes", "seconds", "peak_kib"};
}

std::string StatusPath(const std::string& shardDir) {
  return (std::filesystem::path(shardDir) / "status.csv").string();
}

bool WriteStatus(const std::string& shardDir, const std::vector<InputStatus>& rows, std::string* error) {
  std::string text = CsvLine(kHeading);
  for (const InputStatus& r : rows) {
    char secs[32];
    std::snprintf(secs, sizeof secs, "%.3f", r.seconds);
    text += CsvLine({std::to_string(r.line), r.input, r.state, r.reason, std::to_string(r.bytes), secs,
                     std::to_string(r.peakKib)});
  }
  return WriteWholeFile(StatusPath(shardDir), text.data(), text.size(), error);
}

bool ReadStatus(const std::string& shardDir, std::vector<InputStatus>& rows) {
  rows.clear();
  std::ifstream in(StatusPath(shardDir), std::ios::binary);
  if (!in) return false;
  std::stringstream ss;
  ss << in.rdbuf();
  const CsvParse csv = ParseCsv(ss.str());
  if (!csv.error.empty() || csv.records.empty() || csv.records[0].fields != kHeading) return false;
  for (size_t i = 1; i < csv.records.size(); ++i) {
    const auto& f = csv.records[i].fields;
    if (f.size() != kHeading.size()) return false;
    rows.push_back({std::atoi(f[0].c_str()), f[1], f[2], f[3], std::atoll(f[4].c_str()),
                    std::atof(f[5].c_str()), std::atoll(f[6].c_str())});
  }
  return true;
}

int64_t PeakMemoryKib() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;  // KiB on Linux
}

}  // namespace zorvel::batch
