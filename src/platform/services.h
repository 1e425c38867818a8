// The outside world as the game's rules see it: message boxes, the end of the program, the
// message queue, the millisecond clock and the sound device. The window layer provides the real
// ones; tests pass recording fakes (tests/fakes.h).
#pragma once

#include <cstdint>
#include <string>

namespace game {

// A modal box owned by the application with a caption, a text and an OK button.
// Texts are UTF-8. Returns when the player has closed the box.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
};

// The application's termination request. Requesting only queues the request and returns; the
// program ends when the message processing sees it. `Terminated` tells whether it was requested.
class Termination {
 public:
  virtual ~Termination() = default;
  virtual void RequestTermination() = 0;
  virtual bool Terminated() const = 0;
};

// Dispatches every waiting window message to its handler, then returns.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  virtual void ProcessMessages() = 0;
};

// Milliseconds from a fixed start, never decreasing, as a signed 32-bit value.
class MillisecondClock {
 public:
  virtual ~MillisecondClock() = default;
  virtual std::int32_t NowMs() = 0;
};

// Fire-and-forget playback of a wave file by name: a new sound replaces the one playing, a file
// that cannot be played is silence, `loop` repeats until `StopAll`.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void PlayFile(const std::string& path, bool loop) = 0;
  virtual void StopAll() = 0;
};

// Shows an error that abandoned a handler: a stop-icon box owned by the application, with the
// application's title as caption and an OK button; the application's windows are disabled while
// it is up. `text` is shown as given (ReportText in app_error.h makes it).
class ErrorDialog {
 public:
  virtual ~ErrorDialog() = default;
  virtual void ShowError(const std::string& text) = 0;
};

// Posts a private message to a window: queued, delivered later by the application's message loop.
class MessagePoster {
 public:
  virtual ~MessagePoster() = default;
  virtual void PostPrivateMessage(int message) = 0;
};

}  // namespace game
