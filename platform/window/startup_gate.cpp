#include "platform/window/startup_gate.h"

namespace game {

bool StartupGate::Arrived() {
  if (finished_) return true;
  pending_ = true;
  return false;
}

void StartupGate::Finish(MessagePoster& window, int message) {
  finished_ = true;
  if (pending_) window.PostPrivateMessage(message);
  pending_ = false;
}

}  // namespace game
