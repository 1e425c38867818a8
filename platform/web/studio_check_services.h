// The checker's outside in the studio's module (a worker of the studio page): the module's own
// file system for paths, the rules' code page 932 decoder and encoder (the form the studio saves
// with), and the page for the width of a line (it measures with a canvas in the game's face).
// Sounds are not probed here: the worker has no audio decoder, so no sound problem is found.
#pragma once

#include <memory>

#include "rules/check/check_services.h"
#include "rules/check/story_check.h"

namespace game::check {

std::unique_ptr<CheckServices> MakeStudioCheckServices();

// Where the game draws, for the checker: the scene's size and text origin, the frames' paths.
PictureLayout StudioPictureLayout();

}  // namespace game::check
