#pragma once

namespace game {

// Dispatches every waiting window message to its handler, then returns.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessMessages() = 0;
};

}  // namespace game
