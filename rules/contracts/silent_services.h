// The outside world switched off, for running the game's rules without a window (benchmarks,
// fuzz targets): no files, message boxes nobody sees, no sound, a termination flag that only
// records, and labels quoted as their bytes.
#pragma once

#include <cerrno>
#include <string>

#include "rules/contracts/file_system.h"
#include "rules/contracts/message_boxes.h"
#include "rules/contracts/sound_output.h"
#include "rules/contracts/termination.h"
#include "rules/contracts/text_decoder.h"

namespace game {

class SilentServices : public FileSystem,
                       public MessageBoxes,
                       public Termination,
                       public SoundOutput,
                       public TextDecoder {
 public:
  std::unique_ptr<InputFile> OpenForReading(const std::string&) override {
    throw FileError(ENOENT);
  }
  void ShowMessage(const std::string&, const std::string&) override {}
  void RequestTermination() override { terminated_ = true; }
  bool Terminated() const override { return terminated_; }
  void PlayFile(const std::string&, bool) override {}
  void StopAll() override {}
  std::string SjisToUtf8(std::string_view sjis) override { return std::string(sjis); }

 private:
  bool terminated_ = false;
};

}  // namespace game
