#pragma once
// A small deterministic random source for the simulated board (SplitMix64).
//
// The standard library's distributions are implementation-defined, so the same seed could give
// different numbers with another standard library. Everything here is plain integer and
// double arithmetic: a seed gives the same sequence on every platform.

#include <cstdint>

namespace tarvel::sim {

class Random {
 public:
  // `stream` separates the independent sequences that one board seed drives (sensor noise,
  // faults, ...), so turning faults on does not change the sensor values.
  explicit Random(std::uint32_t seed, std::uint32_t stream = 0)
      : state_((std::uint64_t{stream} << 32) | seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }

  // Uniform in [0, 1), 53 random bits.
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  double Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

  // Uniform in [0, n) for n > 0.
  int Below(int n) { return static_cast<int>(Uniform() * n); }

  // True with probability p. Always draws, so the sequence does not depend on p.
  bool Chance(double p) { return Uniform() < p; }

  // Approximately standard normal: the sum of twelve uniforms, centred (Irwin-Hall). Bounded
  // at +-6, which suits sensor noise: no wild outliers.
  double Gaussian() {
    double sum = 0;
    for (int i = 0; i < 12; ++i)
      sum += Uniform();
    return sum - 6.0;
  }

 private:
  std::uint64_t state_;
};

}  // namespace tarvel::sim
