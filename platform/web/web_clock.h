// The millisecond clock in the browser: milliseconds since the clock was made (the game's
// start), from the page's monotonic clock (performance.now).
#pragma once

#include "rules/contracts/millisecond_clock.h"

namespace game {

class WebClock : public MillisecondClock {
 public:
  WebClock();
  // Wraps like a 32-bit counter after about 24.8 days.
  std::int32_t NowMs() override;

 private:
  double start_;
};

}  // namespace game
