// Zero-crossing files built in tests, in the layout recordings/ZeroCrossing.h describes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zorvel::rec::test {

struct ZcSpec {
  int type = 132;
  uint16_t res1 = 25'000;  // one tick per microsecond
  uint8_t divRatio = 8;
  int year = 2023, month = 7, day = 14, hour = 22, minute = 5, second = 9, hundredths = 50;
  std::vector<uint8_t> stream;  // the coded intervals
};

inline std::vector<uint8_t> MakeZc(const ZcSpec& s) {
  const uint16_t dataOffset = 0x150;
  std::vector<uint8_t> b(dataOffset, ' ');
  b[0] = 0x1A, b[1] = 0x01;  // offset of the data-information block
  b[2] = 0;
  b[3] = static_cast<uint8_t>(s.type);
  b[4] = b[5] = 0;
  const std::string tape = "TAPE1";
  for (size_t i = 0; i < tape.size(); ++i) b[6 + i] = static_cast<uint8_t>(tape[i]);
  b[0x11A] = dataOffset & 0xFF, b[0x11B] = dataOffset >> 8;
  b[0x11C] = s.res1 & 0xFF, b[0x11D] = s.res1 >> 8;
  b[0x11E] = s.divRatio, b[0x11F] = 0;
  b[0x120] = static_cast<uint8_t>(s.year & 0xFF), b[0x121] = static_cast<uint8_t>(s.year >> 8);
  b[0x122] = static_cast<uint8_t>(s.month), b[0x123] = static_cast<uint8_t>(s.day);
  b[0x124] = static_cast<uint8_t>(s.hour), b[0x125] = static_cast<uint8_t>(s.minute);
  b[0x126] = static_cast<uint8_t>(s.second), b[0x127] = static_cast<uint8_t>(s.hundredths);
  b[0x128] = b[0x129] = 0;
  b.insert(b.end(), s.stream.begin(), s.stream.end());
  return b;
}

// Codes for one interval.
inline void Put13(std::vector<uint8_t>& b, uint32_t v) { b.push_back(static_cast<uint8_t>(0x80 | v >> 8)), b.push_back(v & 0xFF); }
inline void Put21(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(0xA0 | v >> 16)), b.push_back(v >> 8 & 0xFF), b.push_back(v & 0xFF);
}
inline void Put29(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(0xC0 | v >> 24)), b.push_back(v >> 16 & 0xFF), b.push_back(v >> 8 & 0xFF),
      b.push_back(v & 0xFF);
}
inline void PutDiff(std::vector<uint8_t>& b, int d) { b.push_back(static_cast<uint8_t>(d & 0x7F)); }

}  // namespace zorvel::rec::test
