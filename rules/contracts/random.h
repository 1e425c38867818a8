// The program's single pseudo-random generator: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

namespace game {

class Random {
 public:
  explicit Random(std::uint32_t seed = 0) : seed_(seed) {}

  // An integer from 0 to n - 1 (0 when n is 0): Seed := Seed * 134775813 + 1 (mod 2^32), then
  // the upper 32 bits of the unsigned 64-bit product Seed * n.
  std::int32_t operator()(std::int32_t n);

  void SetSeed(std::uint32_t seed) { seed_ = seed; }
  std::uint32_t Seed() const { return seed_; }

  // Seeds from the time of day: milliseconds since midnight, UTC.
  void SeedFromTimeOfDay();

 private:
  std::uint32_t seed_;
};

}  // namespace game
