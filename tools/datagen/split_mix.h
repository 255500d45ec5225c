// The generators' random numbers: SplitMix64, small, fast and identical on
// every platform (the standard library's distributions are not), so the
// generated files are the same wherever they are built.
#pragma once

#include <cmath>
#include <cstdint>

namespace varnik::datagen {

class SplitMix64 {
 public:
  explicit SplitMix64(uint64_t seed) : state_(seed) {}

  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // [0, 1)
  double Uniform() { return static_cast<double>(Next() >> 11) / 9007199254740992.0; }
  // Standard normal, by Box-Muller.
  double Normal() {
    const double u1 = 1.0 - Uniform();  // (0, 1]
    const double u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
  }
  // A whole number from `low` to `high`, both included.
  int32_t Between(int32_t low, int32_t high) {
    return low + static_cast<int32_t>(Next() % static_cast<uint64_t>(high - low + 1));
  }
  // Poisson by inversion; the generators' means stay far below 100.
  int32_t Poisson(double mean) {
    double p = std::exp(-mean);
    double cumulative = p;
    const double u = Uniform();
    int32_t k = 0;
    while (u > cumulative && k < 1000) {
      ++k;
      p *= mean / k;
      cumulative += p;
    }
    return k;
  }

 private:
  uint64_t state_;
};

}  // namespace varnik::datagen
