#include "clock/slot_due.h"

#include <algorithm>
#include <limits>

namespace game {

std::int32_t MsUntilDue(const std::vector<TTimerSlot>& slots, std::int32_t now, std::int32_t idle) {
  std::int64_t wait = std::numeric_limits<std::int64_t>::max();
  for (const TTimerSlot& slot : slots) {
    if (!slot.Callback || slot.Interval <= 0) continue;
    // Clock differences wrap like the 32-bit counter they come from.
    const auto elapsed = static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                                   static_cast<std::uint32_t>(slot.LastTime));
    wait = std::min(wait, std::max<std::int64_t>(0, std::int64_t{slot.Interval} + 1 - elapsed));
  }
  return wait == std::numeric_limits<std::int64_t>::max() ? idle : static_cast<std::int32_t>(wait);
}

}  // namespace game
