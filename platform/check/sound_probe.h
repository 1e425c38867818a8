// Whether the game's sound output could play a file: SDL2_mixer loads it as the output does
// (Mix_LoadWAV), into the output's own device format, on SDL's "dummy" audio driver so that no
// sound device is needed or used. The driver is chosen for the probe's lifetime only.
#pragma once

#include <optional>
#include <string>

namespace game::check {

class SoundProbe {
 public:
  SoundProbe();
  ~SoundProbe();
  SoundProbe(const SoundProbe&) = delete;
  SoundProbe& operator=(const SoundProbe&) = delete;

  // Nothing when the file loads; else SDL2_mixer's reason.
  std::optional<std::string> Problem(const std::string& path);

 private:
  bool subsystem_open_ = false;
  bool device_open_ = false;
};

}  // namespace game::check
