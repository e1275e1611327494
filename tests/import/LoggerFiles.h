// Small logger files built by hand, byte by byte, for exact checks of the import.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/CallRecords.h"
#include "support/TempDir.h"

namespace zorvel::testing {

inline uint8_t Bcd(int v) {
  return static_cast<uint8_t>((v / 10) << 4 | (v % 10));
}

// The 496 header bytes: identity, start date-time and a recognisable settings block.
inline std::vector<uint8_t> LoggerHeader(int id, int y, int mo, int d, int h, int mi) {
  std::vector<uint8_t> hd(496, 0);
  hd[2] = static_cast<uint8_t>(id / 10000), hd[3] = static_cast<uint8_t>(id / 100 % 100);
  hd[4] = static_cast<uint8_t>(id % 100);
  hd[36] = 100;
  hd[96] = Bcd(y - 2000), hd[97] = Bcd(mo), hd[98] = Bcd(d), hd[99] = Bcd(h), hd[100] = Bcd(mi);
  for (int i = 0; i < 64; ++i) hd[128 + static_cast<size_t>(i)] = static_cast<uint8_t>(0x40 + i);
  return hd;
}

inline Record Minute(bool on = true, uint8_t battery = 2) {
  MinuteValues v;
  v.MinON = on;
  v.BatInUse = battery;
  v.LightN = 5;
  return EncodeMinuteRecord(v);
}

inline Record Group(int32_t tick, int score = 20) {
  return EncodeZV1WaveGroup(tick, {40, 41, 42, 43, 44, 45, 46, 47}, {10, 20, 30, 40}, score);
}

inline Record Raw(std::initializer_list<uint8_t> bytes) {
  Record r{};
  size_t i = 0;
  for (uint8_t b : bytes) r[i++] = b;
  return r;
}

// A logger file: the header, then the records, then an end record unless told otherwise.
inline void WriteLoggerFile(const std::string& path, const std::vector<uint8_t>& header,
                            const std::vector<Record>& records, bool endRecord = true) {
  std::vector<uint8_t> bytes = header;
  for (const auto& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  if (endRecord) bytes.insert(bytes.end(), 16, 0xFF);
  WriteAll(path, bytes);
}

}  // namespace zorvel::testing
