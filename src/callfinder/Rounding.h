// Exact integer arithmetic for the call finder's rounding. Every "round" of the rules rounds a
// ratio of integers to the nearest integer with halves to even; doing it on the ratio itself
// (never through a float) keeps values that sit exactly on a half on the right side.
#pragma once

#include <algorithm>
#include <cstdint>

namespace zorvel::cf {

// round(num / den), halves to even. den must not be 0.
constexpr int64_t RoundDiv(int64_t num, int64_t den) {
  if (den < 0) {
    num = -num;
    den = -den;
  }
  int64_t q = num / den, r = num % den;
  if (r < 0) {  // make q the floor so that 0 <= r < den
    q -= 1;
    r += den;
  }
  const int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q & 1) != 0)) q += 1;
  return q;
}

// A predicted frequency is never below 1 kHz nor above 300 kHz.
constexpr int64_t ClampPrediction(int64_t p) {
  return std::clamp<int64_t>(p, 1, 300);
}

// round(k0 + dt · dk / dts): a frequency carried along a straight line through time.
constexpr int64_t PredictAlong(int64_t k0, int64_t dt, int64_t dk, int64_t dts) {
  return RoundDiv(k0 * dts + dt * dk, dts);
}

// round((p − k) · 200 / r): the miss in half-percent units of the reference frequency r.
constexpr int64_t ScaledMismatch(int64_t p, int64_t k, int64_t r) {
  return RoundDiv((p - k) * 200, r == 0 ? 1 : r);
}

constexpr int64_t Abs64(int64_t v) {
  return v < 0 ? -v : v;
}

}  // namespace zorvel::cf
