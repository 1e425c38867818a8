#pragma once

namespace game {

// Posts a private message to a window: queued, delivered later by the application's message loop.
class MessagePoster {
 public:
  virtual ~MessagePoster() = default;
  virtual void PostPrivateMessage(int message) = 0;
};

}  // namespace game
