// The checker's outside on this desktop: the file system's idea of a path (stat), the code page 932
// decoder the game draws with, the C library's converter to code page 932, the renderer's face for
// line widths and SDL2_mixer for the sounds. Needs the application object.
#pragma once

#include "platform/check/line_measure.h"
#include "platform/check/sound_probe.h"
#include "rules/check/check_services.h"

namespace game::check {

class DesktopCheckServices : public CheckServices {
 public:
  PathKind KindOf(const std::string& path) override;
  // IsCp932Text (text/sjis_decoder.h): the decoder the game draws with finds a character in
  // every byte.
  bool IsCp932(std::string_view sjis) override;
  // Asks the C library's iconv, the converter of the advice the checker gives.
  bool HasCp932Form(std::string_view utf8) override;
  int LineWidth(std::string_view sjis) override;
  std::optional<std::string> SoundProblem(const std::string& path) override;
  std::vector<std::string> NamesIn(const std::string& folder) override;

 private:
  LineMeasure measure_;
  SoundProbe sounds_;
};

}  // namespace game::check
