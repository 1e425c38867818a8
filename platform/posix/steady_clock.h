// The millisecond clock: a monotonic count from the moment the clock is made (program start).
#pragma once

#include <chrono>

#include "rules/contracts/millisecond_clock.h"

namespace game {

class SteadyClock : public MillisecondClock {
 public:
  // Wraps like a 32-bit counter after about 24.8 days.
  std::int32_t NowMs() override;

 private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace game
