// The checker's outside in the studio's module (a worker of the studio page): the module's own
// file system for paths, the rules' code page 932 decoder and encoder, and the page for the width
// of a line (it measures with a canvas in the game's face). Sounds are not probed here: the
// worker has no audio decoder, so SoundProblem finds nothing.
#pragma once

#include "rules/check/check_services.h"
#include "rules/check/story_check.h"

namespace game::check {

class StudioCheckServices : public CheckServices {
 public:
  PathKind KindOf(const std::string& path) override;
  bool IsCp932(std::string_view sjis) override;
  // The rules' encoder: the form the studio saves with.
  bool HasCp932Form(std::string_view utf8) override;
  int LineWidth(std::string_view sjis) override;
  std::optional<std::string> SoundProblem(const std::string& path) override;
};

// Where the game draws, for the checker: the scene's size and text origin, the frames' paths.
PictureLayout StudioPictureLayout();

}  // namespace game::check
