#pragma once

#include <cstdint>
#include <optional>

namespace game {

// Lets the main loop rest until the window system has something for it or a time has come.
class MessageWait {
 public:
  virtual ~MessageWait() = default;
  // Returns once a window message has arrived (it may already have been dispatched to its
  // handler, as MessagePump::ProcessMessages would), or once `timeout_ms` milliseconds have
  // passed, never before them within the platform's timer precision; whichever comes first.
  // Without a timeout only a message ends the wait. A timeout of 0 or less returns at once.
  virtual void WaitForMessage(std::optional<std::int32_t> timeout_ms) = 0;
};

}  // namespace game
