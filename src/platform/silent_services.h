// The outside world switched off, for running the game's rules without a window (benchmarks,
// fuzz targets): message boxes nobody sees, no sound, and a termination flag that only records.
#pragma once

#include <string>

#include "platform/services.h"

namespace game {

class SilentServices : public MessageBoxes, public Termination, public SoundOutput {
 public:
  void ShowMessage(const std::string&, const std::string&) override {}
  void RequestTermination() override { terminated_ = true; }
  bool Terminated() const override { return terminated_; }
  void PlayFile(const std::string&, bool) override {}
  void StopAll() override {}

 private:
  bool terminated_ = false;
};

}  // namespace game
