// When the frame clock next has work: for a host that runs the clock's passes from its own event
// loop and sleeps between them instead of spinning.
#pragma once

#include <cstdint>
#include <vector>

#include "clock/my_time.h"

namespace game {

// The milliseconds from `now` until the first pass at which a slot of `slots` fires (a slot fires
// on the first pass after more than its interval since its last time): 0 when one is due now,
// `idle` when no slot has a callback and a positive interval.
std::int32_t MsUntilDue(const std::vector<TTimerSlot>& slots, std::int32_t now, std::int32_t idle);

}  // namespace game
