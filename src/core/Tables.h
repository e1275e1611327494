// Lookup tables built once on first use and never changed: the kHz table, the value expansion
// of stored bytes, the compact byte code and the extended amplitude table.
#pragma once

#include <array>
#include <cstdint>

namespace zorvel {

constexpr int kKhzTableSize = 513;

// kHz of an IPI (quarter microseconds): 4000 / IPI rounded half to even, clamped to 10 … 333;
// index 0 gives 0. Indices outside 0 … 512 are clamped into it.
int KhzOfIpi(int ipi);
const std::array<int32_t, kKhzTableSize>& IPIkHzTable();

// Stored byte v: below 128 stays v; 128 … 191 becomes 2v − 128; 192 … 255 becomes 4v − 512.
constexpr int32_t ExpandValue(uint8_t v) {
  return v < 128 ? v : (v < 192 ? 2 * v - 128 : 4 * v - 512);
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

// Amplitude of stored byte a for a wave pair whose IPI is pairIpi. extended says whether the
// file's amplitudes use the extended scale (HasExtendedAmps, or the developer override).
int32_t DecodeAmplitude(uint8_t a, int32_t pairIpi, bool extended);

// Entry [a][k] of the extended amplitude table, rows 223 … 255 and columns 10 … 256.
int32_t ExtendedAmplitude(int a, int k);

// Builds every table now, so that later first uses cost nothing.
void PopulatePrecalculatedArrays();

}  // namespace zorvel
