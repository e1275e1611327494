// The simulator's random source. Our own generator and our own integer-to-range arithmetic
// (rather than <random>'s distributions, whose results differ between standard libraries),
// so that one seed gives the same card on every machine.
#pragma once

#include <cmath>
#include <cstdint>

namespace zorvel::sim {

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed ^ 0x9E3779B97F4A7C15ULL) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // A number in [0, 1).
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // A whole number from lo to hi, both included.
  int Between(int lo, int hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1));
  }
  double Between(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  bool Chance(double p) { return Unit() < p; }
  // Roughly bell-shaped around 0 with the given spread (sum of three uniforms).
  double Jitter(double spread) { return spread * (Unit() + Unit() + Unit() - 1.5) / 0.866; }
  // A count with the given mean (Poisson by multiplication, fine for small means).
  int Poisson(double mean) {
    const double limit = std::exp(-mean);
    int k = 0;
    for (double p = Unit(); p > limit && k < 1000; p *= Unit()) ++k;
    return k;
  }
  // A generator for a sub-stream, so that one part of the card does not shift another's draws.
  Rng Fork(uint64_t salt) { return Rng(Next() ^ (salt * 0xD1B54A32D192ED03ULL)); }

 private:
  uint64_t state_;
};

}  // namespace zorvel::sim
