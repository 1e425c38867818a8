#pragma once

#include <cstdint>

namespace game {

// Milliseconds from a fixed start, never decreasing, as a signed 32-bit value.
class MillisecondClock {
 public:
  virtual ~MillisecondClock() = default;
  virtual std::int32_t NowMs() = 0;
};

}  // namespace game
