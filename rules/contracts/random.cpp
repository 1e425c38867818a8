#include "rules/contracts/random.h"

#include <chrono>

namespace game {

std::int32_t Random::operator()(std::int32_t n) {
  seed_ = seed_ * 134775813u + 1u;
  const std::uint64_t product =
      static_cast<std::uint64_t>(seed_) * static_cast<std::uint64_t>(static_cast<std::uint32_t>(n));
  return static_cast<std::int32_t>(product >> 32);
}

void Random::SeedFromTimeOfDay() {
  using namespace std::chrono;
  const auto since_epoch = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
  seed_ = static_cast<std::uint32_t>(since_epoch.count() % (24LL * 60 * 60 * 1000));
}

}  // namespace game
