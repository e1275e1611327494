#include "core/Tables.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace zorvel {

namespace {

constexpr int kFirstExtRow = 223;
constexpr int kLastExtRow = 255;
constexpr int kFirstExtCol = 10;
constexpr int kLastExtCol = 256;
constexpr int kExtRows = kLastExtRow - kFirstExtRow + 1;
constexpr int kExtCols = kLastExtCol - kFirstExtCol + 1;
constexpr int32_t kMinExtAmplitude = 384;

int RowLevel(int a) {
  if (a <= 231) return 956 - 4 * a;
  if (a <= 239) return 494 - 2 * a;
  return 255 - a;
}

using ExtTable = std::array<std::array<int32_t, kExtCols>, kExtRows>;

ExtTable BuildExtendedTable() {
  ExtTable t{};
  for (int k = kFirstExtCol; k <= kLastExtCol; ++k) {
    const int32_t cap = 50 * k;
    bool capped = false;
    for (int a = kFirstExtRow; a <= kLastExtRow; ++a) {
      int32_t entry = cap;
      if (!capped) {
        const int v = RowLevel(a);
        // Level 0 has an infinite negative power: the entry is the cap.
        const double x = v == 0 ? INFINITY
                                : std::nearbyint(std::pow(4000.0 / k, -0.75) * std::pow(10.0, 5.24 * std::pow(v, -0.11)));
        if (x > cap) {
          capped = true;
        } else {
          entry = std::max(static_cast<int32_t>(x), kMinExtAmplitude);
        }
      }
      t[a - kFirstExtRow][k - kFirstExtCol] = std::clamp(entry, kMinExtAmplitude, cap);
    }
  }
  return t;
}

const ExtTable& ExtendedTable() {
  static const ExtTable table = BuildExtendedTable();
  return table;
}

std::array<int32_t, 256> BuildCompactValues() {
  std::array<int32_t, 256> v{};
  for (int a = 0; a < 256; ++a) v[a] = DecodeCompact(static_cast<uint8_t>(a));
  return v;
}

}  // namespace

uint8_t EncodeCompact(int32_t value) {
  // The nearest code by search, once for every value up to the largest code's; beyond that range
  // the nearest is the largest (or, below 0, code 0, the smallest of the codes for 0).
  static const std::vector<uint8_t> table = [] {
    const std::array<int32_t, 256> values = BuildCompactValues();
    std::vector<uint8_t> t(static_cast<size_t>(DecodeCompact(255)) + 1);
    for (int32_t v = 0; v < static_cast<int32_t>(t.size()); ++v) {
      int best = 0;
      int64_t bestDist = INT64_MAX;
      for (int a = 0; a < 256; ++a) {
        const int64_t d = std::llabs(static_cast<int64_t>(values[a]) - v);
        if (d < bestDist) {
          bestDist = d;
          best = a;
        }
      }
      t[static_cast<size_t>(v)] = static_cast<uint8_t>(best);
    }
    return t;
  }();
  if (value <= 0) return 0;
  if (value >= static_cast<int32_t>(table.size())) return 255;
  return table[static_cast<size_t>(value)];
}

int32_t ExtendedAmplitude(int a, int k) {
  a = std::clamp(a, kFirstExtRow, kLastExtRow);
  k = std::clamp(k, kFirstExtCol, kLastExtCol);
  return ExtendedTable()[a - kFirstExtRow][k - kFirstExtCol];
}

int32_t ExtendedAmplitudeEntry(uint8_t a, int32_t pairIpi) {
  return ExtendedTable()[a - kFirstExtRow][std::min<int32_t>(pairIpi, 255) - kFirstExtCol];
}

void PopulatePrecalculatedArrays() {
  (void)ExtendedTable();
  (void)EncodeCompact(1);  // builds its table
}

}  // namespace zorvel
