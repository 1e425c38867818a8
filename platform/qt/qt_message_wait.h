// The wait of the main loop's low-power mode on Qt: the thread's event dispatcher blocks until an
// event comes (input, a window-system message, a posted event, a timer) and dispatches what it
// finds; a single-shot precise timer armed for the timeout ends the wait when nothing else does.
#pragma once

#include <QTimer>

#include "rules/contracts/message_wait.h"

namespace game {

class QtMessageWait : public MessageWait {
 public:
  // Needs the application object; lives on the thread that runs the loop.
  QtMessageWait();
  void WaitForMessage(std::optional<std::int32_t> timeout_ms) override;

 private:
  QTimer timer_;
};

}  // namespace game
