#include "rules/sound/my_wave.h"

namespace game {

MyWave::MyWave(SoundOutput& out) : out_(out) {}

void MyWave::PlayWave(const std::string& file_name, bool loop) {
  current_wave_ = file_name;
  wave_looping_ = loop;
  out_.PlayFile(file_name, loop);
}

void MyWave::StopWave() {
  out_.StopAll();
  wave_looping_ = false;
  current_wave_.clear();
}

void MyWave::SoundInit() { StopWave(); }

void MyWave::SoundDone() { StopWave(); }

}  // namespace game
