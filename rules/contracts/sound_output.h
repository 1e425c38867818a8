#pragma once

#include <string>

namespace game {

// Fire-and-forget playback of a wave file by name: a new sound replaces the one playing, a file
// that cannot be played is silence, `loop` repeats until `StopAll`.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  virtual void PlayFile(const std::string& path, bool loop) = 0;
  virtual void StopAll() = 0;
};

}  // namespace game
