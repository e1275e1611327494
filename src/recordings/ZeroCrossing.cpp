#include "recordings/ZeroCrossing.h"

#include <algorithm>
#include <cmath>

#include "recordings/Messages.h"

namespace zorvel::rec {

namespace {

constexpr size_t kTextStart = 6;
constexpr size_t kTextLengths[] = {8, 8, 40, 50, 16, 73, 80};
constexpr size_t kMaxZcBytes = 16u << 20;  // far beyond any real file

std::string Text(const std::vector<uint8_t>& b, size_t at, size_t n) {
  std::string s;
  for (size_t i = at; i < at + n && i < b.size(); ++i) s += static_cast<char>(b[i] >= 0x20 && b[i] < 0x7F ? b[i] : ' ');
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }

}  // namespace

double ZeroCrossingFile::Seconds() const {
  double ticks = 0;
  for (uint32_t v : intervals) ticks += v;
  return ticks * MicrosPerTick() / 1e6;
}

ZeroCrossingFile ReadZeroCrossing(ByteSource& src) {
  ZeroCrossingFile f;
  const uint64_t size = std::min<uint64_t>(src.Size(), kMaxZcBytes);
  std::vector<uint8_t> b(static_cast<size_t>(size));
  b.resize(src.ReadAt(0, b.data(), b.size()));
  if (b.size() < kZcInfoBlock + 6) {
    f.error = msg::rec::kZcTooShort;
    return f;
  }
  f.fileType = b[3];
  if (f.fileType == 129) {
    f.error = msg::rec::kZcType129;
    return f;
  }
  if (f.fileType < 130 || f.fileType > 132) {
    f.error = std::string(msg::rec::kZcUnknownType) + std::to_string(f.fileType);
    return f;
  }
  size_t at = kTextStart;
  std::string* texts[] = {&f.tape, &f.date, &f.location, &f.species, &f.descriptor, &f.notes, &f.notes1};
  for (size_t i = 0; i < 7; ++i) {
    *texts[i] = Text(b, at, kTextLengths[i]);
    at += kTextLengths[i];
  }
  size_t info = Le16(b, 0);
  if (info < kTextStart || info + 6 > b.size()) info = kZcInfoBlock;
  f.dataOffset = Le16(b, info);
  f.res1 = Le16(b, info + 2);
  f.divRatio = b[info + 4];
  f.vres = b[info + 5];
  if (f.dataOffset < info + 6 || f.dataOffset > b.size()) {
    f.error = msg::rec::kZcBadOffset;
    return f;
  }
  if (f.divRatio == 0) {
    f.error = msg::rec::kZcBadDivRatio;
    return f;
  }
  if (f.fileType == 132 && b.size() >= kZcDateTime + 10) {
    StampedTime t;
    t.year = Le16(b, kZcDateTime);
    t.month = b[kZcDateTime + 2];
    t.day = b[kZcDateTime + 3];
    t.hour = b[kZcDateTime + 4];
    t.minute = b[kZcDateTime + 5];
    t.second = b[kZcDateTime + 6] + b[kZcDateTime + 7] / 100.0 + Le16(b, kZcDateTime + 8) / 1e6;
    if (IsRealTime(t)) f.time = t;
  }
  int64_t previous = 0;
  size_t i = f.dataOffset;
  while (i < b.size()) {
    const uint8_t c = b[i];
    int64_t v;
    if ((c & 0x80) == 0) {
      // 7-bit two's complement difference.
      const int d = (c & 0x40) ? static_cast<int>(c) - 128 : c;
      v = previous + d;
      i += 1;
    } else if ((c & 0xE0) == 0x80) {
      if (i + 2 > b.size()) break;
      v = static_cast<int64_t>(c & 0x1F) << 8 | b[i + 1];
      i += 2;
    } else if ((c & 0xE0) == 0xA0) {
      if (i + 3 > b.size()) break;
      v = static_cast<int64_t>(c & 0x1F) << 16 | b[i + 1] << 8 | b[i + 2];
      i += 3;
    } else if ((c & 0xE0) == 0xC0) {
      if (i + 4 > b.size()) break;
      v = static_cast<int64_t>(c & 0x1F) << 24 | static_cast<int64_t>(b[i + 1]) << 16 | b[i + 2] << 8 | b[i + 3];
      i += 4;
    } else {
      i += 1;  // status byte
      continue;
    }
    if (v <= 0) v = 1;  // a difference running below zero: the smallest interval
    previous = v;
    f.intervals.push_back(static_cast<uint32_t>(std::min<int64_t>(v, 0x1FFFFFFF)));
  }
  f.ok = true;
  return f;
}

std::vector<WaveGroup> ZeroCrossingGroups(const ZeroCrossingFile& f, double highPassHz) {
  std::vector<WaveGroup> out;
  GroupBuilder builder(out);
  const int n = std::max(1, f.divRatio / 2);
  const double qusPerTick = f.MicrosPerTick() * 4.0;  // quarter microseconds
  const double ticks5PerTick = f.MicrosPerTick() / 5.0;
  const double slowest = highPassHz > 0 ? 4e6 / highPassHz : 1e30;
  auto wavePeriod = [&](size_t k) { return f.intervals[k] * qusPerTick / n; };
  double start = 0;  // timer ticks
  for (size_t k = 0; k < f.intervals.size(); ++k) {
    const double p = wavePeriod(k);
    // The slope from the previous interval to the next, when both belong to the same sound.
    double d = 0;
    if (k > 0 && k + 1 < f.intervals.size()) {
      const double a = wavePeriod(k - 1), c = wavePeriod(k + 1);
      if (std::abs(a - p) < 0.25 * p && std::abs(c - p) < 0.25 * p) d = (c - a) / 2;
    }
    double t = start;
    for (int j = 0; j < n; ++j) {
      const double pj = p + d * ((j + 0.5) / n - 0.5);
      const bool loud = pj <= slowest && pj >= 1.0;
      builder.Wave(t * ticks5PerTick, pj, kZeroCrossingPeak, loud);
      t += pj / qusPerTick;
    }
    start += f.intervals[k];
  }
  return out;
}

}  // namespace zorvel::rec
