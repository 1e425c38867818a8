#pragma once

namespace game {

// The application's termination request. Requesting only queues the request and returns; the
// program ends when the message processing sees it. `Terminated` tells whether it was requested.
class Termination {
 public:
  virtual ~Termination() = default;
  virtual void RequestTermination() = 0;
  virtual bool Terminated() const = 0;
};

}  // namespace game
