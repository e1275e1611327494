// Zero-crossing bat detector files (the sequence files of frequency-division detectors, file
// types 130, 131 and 132; usually named "….zc" or "…#").
//
// Layout (little-endian):
//   0-1    offset of the data-information block (0x011A in every file seen)
//   3      file type: 129 (an older layout, refused), 130, 131 or 132
//   6      header texts: tape 8, date 8, location 40, species 50, descriptor 16,
//          notes 73, notes 80 characters (blank padded)
//   0x11A  data-information block: data offset (2), RES1 (2), division ratio (1), VRES (1);
//          type 132 follows it at 0x120 with the date and time: year (2), month, day, hour,
//          minute, second, hundredths (1 each), microseconds (2), identity code 6, GPS text 32
//   data   the time-interval stream to the end of the file, one code at a time:
//            0xxxxxxx  a 7-bit signed difference added to the previous interval
//            100xxxxx + 1 byte    a 13-bit interval
//            101xxxxx + 2 bytes   a 21-bit interval
//            110xxxxx + 3 bytes   a 29-bit interval
//            111xxxxx  a status byte, passed over
//          (multi-byte intervals high byte first). An interval counts timer ticks of
//          25,000 / RES1 microseconds; the intervals follow each other without gaps, so silence
//          is one long interval.
//
// An interval covers division ratio ÷ 2 waves of the bat's call (the detector divides the
// frequency by the ratio and times every other crossing of the divided signal). The waves of
// one interval share its time; their periods follow the slope from the previous interval to
// the next, so a sweep stays a sweep. There is no amplitude: every wave is given the constant
// kZeroCrossingPeak (an amplitude byte of 128), and a wave counts as loud when its frequency is
// at least the high-pass corner.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recordings/ByteSource.h"
#include "recordings/FrontEnd.h"
#include "recordings/RecordingTime.h"

namespace zorvel::rec {

constexpr double kZeroCrossingPeak = 128 * 64.0;  // 16-bit sample units: amplitude byte 128
constexpr int kZcInfoBlock = 0x11A;
constexpr int kZcDateTime = 0x120;

struct ZeroCrossingFile {
  bool ok = false;
  std::string error;
  int fileType = 0;
  std::string tape, date, location, species, descriptor, notes, notes1;
  uint16_t dataOffset = 0;
  uint16_t res1 = 0;
  uint8_t divRatio = 0;
  uint8_t vres = 0;
  std::optional<StampedTime> time;  // type 132 only
  std::vector<uint32_t> intervals;  // timer ticks
  double MicrosPerTick() const { return res1 ? 25'000.0 / res1 : 1.0; }
  double Seconds() const;
};

ZeroCrossingFile ReadZeroCrossing(ByteSource& src);

// The wave groups of a decoded file (ticks from the file's start). highPassHz: slower waves
// break runs.
std::vector<WaveGroup> ZeroCrossingGroups(const ZeroCrossingFile& f, double highPassHz);

}  // namespace zorvel::rec
