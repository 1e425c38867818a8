// The program's main loop: a table of periodic callbacks run from a busy loop that also pumps the
// window system's messages. The loop is entered once, from the window's handling of the private
// start message, and returns only when the application's termination has been requested.
//
// By default the loop spins. Given a MessageWait (SetMessageWait), it rests after each pass until
// the window system has a message or the earliest slot is due, whichever comes first: the slots
// fire by the same rule on the same passes' clock readings, only the passes in between, which
// would have found nothing to do, are left out.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "rules/contracts/message_poster.h"
#include "rules/contracts/message_pump.h"
#include "rules/contracts/message_wait.h"
#include "rules/contracts/millisecond_clock.h"
#include "rules/contracts/termination.h"

namespace game {

// The private message the window posts to itself to enter the loop.
inline constexpr int kClockStartMessage = 1034;  // the user message base (1024) + 10

struct TTimerSlot {
  std::int32_t Interval = 0;       // milliseconds; 0 or less never fires
  std::int32_t LastTime = 0;       // clock value at registration or at the last firing
  std::function<void()> Callback;  // empty: the slot is free
};

class MyTime {
 public:
  MyTime(MillisecondClock& clock, MessagePump& pump, Termination& termination)
      : clock_(clock), pump_(pump), termination_(termination) {}

  // Grows the table to `slot` + 1 entries when needed, then fills the slot with `interval`, the
  // clock now, and `callback`. An occupied slot is replaced.
  void SetTimerSlot(int slot, std::int32_t interval, std::function<void()> callback);

  // Empties every slot's callback and sets its interval to 0; the table keeps its length.
  void ClearTimers();

  // Clears the table; the first call also posts the start message to `window`. Later calls post
  // nothing, so the loop can be requested only once in the program's life.
  void StartClock(MessagePoster& window);

  // One pass of the loop: pumps all messages, reads the clock once and fires, in index order,
  // each slot with a callback whose interval is positive and exceeded (now - last > interval).
  // Returns false when termination has been requested (the loop ends), true otherwise. A host
  // that cannot spin (a browser tab) calls it from its own event loop instead of RunClock, and
  // asks TimeToNextDue when to call it again. An exception thrown by a callback leaves the pass
  // there (the slot keeps its last time) and propagates to the caller.
  bool RunPass();

  // The loop: RunPass over and over until the pass that sees termination requested. Without a
  // message wait it never sleeps; with one, each pass that leaves termination unrequested ends by
  // waiting for a message for at most TimeToNextDue (for ever when no slot can fire). An
  // exception thrown by a callback leaves the loop and propagates to the caller.
  void RunClock();

  // `wait` (which must outlive the loop) makes the loop rest between passes; nullptr, the
  // default, makes it spin.
  void SetMessageWait(MessageWait* wait) { wait_ = wait; }

  // Milliseconds from `now` until the earliest slot that can fire is due (0 or less: due now);
  // nothing when no slot has both a callback and a positive interval.
  std::optional<std::int64_t> TimeToNextDue(std::int32_t now) const;

  // Counts a drawn frame: the frame count about once a second (the first call reports 1), -2 once
  // half a second after each count (clear the display), -1 otherwise.
  std::int32_t FpsTick();

  bool ClockStarted() const { return clock_started_; }
  const std::vector<TTimerSlot>& TimerSlots() const { return slots_; }

 private:
  void FireDueSlots(std::int32_t now);
  void WaitForNextDue();
  std::int32_t Report();

  MillisecondClock& clock_;
  MessagePump& pump_;
  Termination& termination_;
  MessageWait* wait_ = nullptr;
  std::vector<TTimerSlot> slots_;
  bool clock_started_ = false;
  std::int32_t frame_count_ = 0;
  std::int32_t last_report_ = 0;
  bool blank_done_ = true;
  bool reported_ = false;
};

}  // namespace game
