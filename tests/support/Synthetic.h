// Builds small data files for tests and benchmarks: a header with the minute span filled in,
// then minutes of wave groups, optional calls, and an end record.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/CallRecords.h"
#include "core/Header.h"
#include "core/ZvWriter.h"

namespace zorvel::testing {

// A plain FM call from 80 down to 40 kHz, 4 ms long, loud and confidently classed, so that the
// filters as they stand at start-up accept it.
inline tCall AcceptedCall(int32_t start, int32_t number = 0) {
  tCall c;
  c.CallType = tcFM;
  c.StartTime = start;
  c.Number = number;
  c.Duration100Musecs = 40;
  c.Fmax = 80;
  c.Fmin = 40;
  c.AmpAv = 100;
  c.SpConfidence = 5;
  c.HmicScore = 3;
  return c;
}

struct SyntheticMinute {
  std::vector<Record> records;  // records after the minute record
  MinuteValues values{};
};

inline HeaderBytes MakeHeader(int32_t firstMin, int32_t lastMin) {
  HeaderBytes h{};
  h[hdr::kIdentity] = 1;
  h[hdr::kIdentity + 1] = 2;
  h[hdr::kIdentity + 2] = 3;
  h[hdr::kMarker1] = 0xFE;
  h[hdr::kMarker2] = 0xFE;
  PutHeaderInt32(h, hdr::kFirstLoggedMin, firstMin);
  PutHeaderInt32(h, hdr::kLastLoggedMin, lastMin);
  PutHeaderInt32(h, hdr::kStoredFirstProcessMin, firstMin);
  PutHeaderInt32(h, hdr::kStoredLastProcessMin, lastMin);
  return h;
}

inline Record WaveGroup(int32_t tick, uint8_t ipi = 100, uint8_t amp = 50, int32_t score = 20) {
  std::array<uint8_t, 8> ipis;
  ipis.fill(ipi);
  std::array<uint8_t, 4> amps;
  amps.fill(amp);
  return EncodeZV1WaveGroup(tick, ipis, amps, score);
}

// Writes a file of the given minutes; returns false when it could not be written.
inline bool WriteDataFile(const std::string& path, const HeaderBytes& header, const std::vector<SyntheticMinute>& minutes,
                          bool endRecord = true) {
  ZvFileWriter w(path, header);
  for (const auto& m : minutes) {
    w.Append(EncodeMinuteRecord(m.values));
    for (const auto& r : m.records) w.Append(r);
  }
  if (endRecord) return w.Finish();
  // A file cut short before its end record: write the records without one.
  AtomicFileWriter raw(path);
  raw.Write(header.data(), header.size());
  for (const auto& m : minutes) {
    const Record mr = EncodeMinuteRecord(m.values);
    raw.Write(mr.data(), mr.size());
    for (const auto& r : m.records) raw.Write(r.data(), r.size());
  }
  return raw.Commit();
}

// n minutes of k wave groups each, ticks spread over the minute.
inline std::vector<SyntheticMinute> RegularMinutes(int n, int k) {
  std::vector<SyntheticMinute> ms(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    ms[i].values.MinON = true;
    ms[i].values.LightN = static_cast<uint8_t>(i % 256);
    for (int j = 0; j < k; ++j) ms[i].records.push_back(WaveGroup(1000 + j * 1000, static_cast<uint8_t>(40 + j % 100)));
  }
  return ms;
}

// A fresh folder under the system's temporary folder, removed when the object goes.
class TempDir {
 public:
  explicit TempDir(const std::string& tag) {
    path_ = std::filesystem::temp_directory_path() /
            ("zorvel_" + tag + "_" + std::to_string(reinterpret_cast<uintptr_t>(this)) + "_" +
             std::to_string(std::hash<std::string>{}(tag) % 100000));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadAll(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
  }
  return bytes;
}

inline void WriteAll(const std::string& path, const std::vector<uint8_t>& bytes) {
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);  // an empty vector's data() may be null
    std::fclose(f);
  }
}

}  // namespace zorvel::testing
