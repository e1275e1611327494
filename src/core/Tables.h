// Lookup tables built once on first use and never changed: the kHz table, the value expansion
// of stored bytes, the compact byte code and the extended amplitude table.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace zorvel {

constexpr int kKhzTableSize = 513;

namespace detail {
constexpr std::array<int32_t, kKhzTableSize> BuildKhzTable() {
  std::array<int32_t, kKhzTableSize> t{};
  for (int i = 1; i < kKhzTableSize; ++i) {
    // 4000 / i rounded to the nearest integer, halves to even.
    const int32_t q = 4000 / i, r = 4000 % i;
    int32_t k = 2 * r > i ? q + 1 : (2 * r == i ? q + (q & 1) : q);
    t[i] = k < 10 ? 10 : (k > 333 ? 333 : k);
  }
  return t;
}
inline constexpr std::array<int32_t, kKhzTableSize> kIPIkHzTable = BuildKhzTable();
}  // namespace detail

// kHz of an IPI (quarter microseconds): 4000 / IPI rounded half to even, clamped to 10 … 333;
// index 0 gives 0. Indices outside 0 … 512 are clamped into it.
inline const std::array<int32_t, kKhzTableSize>& IPIkHzTable() { return detail::kIPIkHzTable; }
inline int KhzOfIpi(int ipi) {
  return detail::kIPIkHzTable[static_cast<unsigned>(ipi) < kKhzTableSize ? ipi : (ipi < 0 ? 0 : kKhzTableSize - 1)];
}

// Stored byte v: below 128 stays v; 128 … 191 becomes 2v − 128; 192 … 255 becomes 4v − 512.
namespace detail {
constexpr std::array<int32_t, 256> BuildExpandTable() {
  std::array<int32_t, 256> t{};
  for (int v = 0; v < 256; ++v) t[v] = v < 128 ? v : (v < 192 ? 2 * v - 128 : 4 * v - 512);
  return t;
}
inline constexpr std::array<int32_t, 256> kExpandTable = BuildExpandTable();
}  // namespace detail
constexpr int32_t ExpandValue(uint8_t v) { return detail::kExpandTable[v]; }

// A wave group's mean frequency in kHz from the sum of its wave periods (quarter µs):
// 32000 div ipiSum, at most 255. Every sum a record can give is in the table, so the reader pays
// a lookup, not a division.
namespace detail {
constexpr int kMaxIpiSum = 4 + 8 * 1020;  // eight expanded IPI bytes of 255 and the 4 added
constexpr std::array<uint8_t, kMaxIpiSum + 1> BuildAvFTable() {
  std::array<uint8_t, kMaxIpiSum + 1> t{};
  t[0] = 255;
  for (int s = 1; s <= kMaxIpiSum; ++s)
    t[static_cast<size_t>(s)] = static_cast<uint8_t>(32000 / s < 255 ? 32000 / s : 255);
  return t;
}
inline constexpr std::array<uint8_t, kMaxIpiSum + 1> kAvFTable = BuildAvFTable();
}  // namespace detail
inline int32_t AvFOfIpiSum(int32_t ipiSum) {
  return static_cast<uint32_t>(ipiSum) <= static_cast<uint32_t>(detail::kMaxIpiSum)
             ? detail::kAvFTable[static_cast<size_t>(ipiSum)]
             : (ipiSum > 0 ? std::min<int32_t>(255, 32000 / ipiSum) : 255);
}

// Compact byte code used for durations, flat IPIs and average amplitudes: a below 32 is a;
// otherwise b = (a mod 32) << (a div 32) and the value is b + b div 64.
constexpr int32_t DecodeCompact(uint8_t a) {
  if (a < 32) return a;
  const int32_t b = (a % 32) << (a / 32);
  return b + b / 64;
}

// The code whose decoded value is nearest to value (the smallest such code on a tie).
uint8_t EncodeCompact(int32_t value);

int32_t ExtendedAmplitudeEntry(uint8_t a, int32_t pairIpi);

// Amplitude of stored byte a for a wave pair whose IPI is pairIpi. extended says whether the
// file's amplitudes use the extended scale (HasExtendedAmps, or the developer override).
inline int32_t DecodeAmplitude(uint8_t a, int32_t pairIpi, bool extended) {
  if (!extended || a <= 222 || pairIpi <= 9) return ExpandValue(a);
  return ExtendedAmplitudeEntry(a, pairIpi);
}

// Entry [a][k] of the extended amplitude table, rows 223 … 255 and columns 10 … 256.
int32_t ExtendedAmplitude(int a, int k);

// Builds every table now, so that later first uses cost nothing.
void PopulatePrecalculatedArrays();

}  // namespace zorvel
