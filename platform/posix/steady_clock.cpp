#include "platform/posix/steady_clock.h"

#include <cstdint>

namespace game {

std::int32_t SteadyClock::NowMs() {
  const auto elapsed = std::chrono::steady_clock::now() - start_;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}

}  // namespace game
