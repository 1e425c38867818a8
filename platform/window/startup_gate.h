// Holds the clock's start message back until start-up has finished. A message box shown during
// start-up pumps messages too; the start message must not enter the main loop from inside it,
// or the box could never return.
#pragma once

#include "rules/contracts/message_poster.h"

namespace game {

class StartupGate {
 public:
  // The start message arrived: true when the loop may be entered now. Before start-up has
  // finished the message is remembered instead.
  bool Arrived();

  // Start-up has returned: a message that arrived too early is posted again to `window`.
  void Finish(MessagePoster& window, int message);

 private:
  bool finished_ = false;
  bool pending_ = false;
};

}  // namespace game
