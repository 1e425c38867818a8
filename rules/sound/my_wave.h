// The sound player: plays one wave file at a time through the platform's sound output,
// asynchronously and optionally looping, and remembers what it last started.
#pragma once

#include <string>

#include "rules/contracts/sound_output.h"

namespace game {

class MyWave {
 public:
  // `out` must outlive the player.
  explicit MyWave(SoundOutput& out);

  // Records `file_name` and `loop`, then hands the name unchanged (relative to the current
  // folder) to the output and returns at once. The new sound cuts off any sound started before;
  // with `loop` it repeats until stopped. A file that is missing or cannot be played is silence,
  // nothing is reported, and `CurrentWave` still holds its name.
  void PlayWave(const std::string& file_name, bool loop);

  // Stops every sound of this program, then clears `WaveLooping` and `CurrentWave`.
  void StopWave();

  // Start-up and shutdown: both only stop the sound.
  void SoundInit();
  void SoundDone();

  // The file name of the sound last started; empty before the first start and after a stop.
  const std::string& CurrentWave() const { return current_wave_; }
  // Whether the sound last started loops; false after a stop.
  bool WaveLooping() const { return wave_looping_; }

 private:
  SoundOutput& out_;
  std::string current_wave_;
  bool wave_looping_ = false;
};

}  // namespace game
