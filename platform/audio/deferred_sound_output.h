// A sound output made only when it is first needed, and then in the background: opening the audio
// device (and loading the audio libraries before it) takes tens of milliseconds and megabytes that
// a game played without a sound never needs, and that should not delay the window.
//
// Prepare starts making the real output on a thread of its own and returns at once; PlayFile
// waits until it is made (starting it if nobody has), then plays. StopAll before any output was
// made does nothing, since nothing can be playing. An output that could not be made (null) is
// silence, as a missing audio device is.
//
// Use it from one thread; only the making runs on another.
#pragma once

#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

#include "rules/contracts/sound_output.h"

namespace game {

class DeferredSoundOutput : public SoundOutput {
 public:
  using Maker = std::function<std::unique_ptr<SoundOutput>()>;

  // Nothing is made yet; `make` runs once, on another thread.
  explicit DeferredSoundOutput(Maker make);
  // Waits for a making in progress, then releases the output.
  ~DeferredSoundOutput() override;

  DeferredSoundOutput(const DeferredSoundOutput&) = delete;
  DeferredSoundOutput& operator=(const DeferredSoundOutput&) = delete;

  // Starts making the output, once; returns at once.
  void Prepare();

  void PlayFile(const std::string& path, bool loop) override;
  void StopAll() override;

 private:
  SoundOutput* Made();

  Maker make_;
  std::future<std::unique_ptr<SoundOutput>> making_;
  std::optional<std::unique_ptr<SoundOutput>> output_;  // set once the making has been waited for
};

}  // namespace game
