#pragma once

#include <cmath>
#include <cstdint>

namespace somnara::datagen {

// A small seeded generator (xoshiro256**, seeded through splitmix64). The library's
// distributions differ between implementations; these do not, so the same seed gives the
// same sounds everywhere.
class Random {
 public:
  explicit Random(uint64_t seed) {
    for (uint64_t& word : state_) {
      seed += 0x9E3779B97F4A7C15ull;
      uint64_t z = seed;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
      word = z ^ (z >> 31);
    }
  }

  uint64_t Next() {
    const uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    return result;
  }

  // Uniform in [0, 1).
  double Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
  // Uniform in [low, high).
  double Range(double low, double high) { return low + (high - low) * Uniform(); }
  // Uniform in [-1, 1): white noise.
  double Bipolar() { return 2.0 * Uniform() - 1.0; }
  // Spread evenly on a logarithmic scale, for pitches.
  double LogRange(double low, double high) { return low * std::pow(high / low, Uniform()); }
  // Whole number in [0, count).
  int Below(int count) { return int(Uniform() * count); }
  bool Chance(double probability) { return Uniform() < probability; }

 private:
  static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  uint64_t state_[4];
};

}  // namespace somnara::datagen
