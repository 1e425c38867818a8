// The command lines of the four programs, side by side: what each accepts. Each program keeps its
// own help text and turns the accepted command line into its own options.
#pragma once

#include "rules/cli/command_line.h"

namespace game::cli {

// luxarim [--warp TARGET] [--watch] [--low-power]
const Program& GameProgram();
// story_check [--graph FILE] [--storyboard DIR] [--overwrite] [--large-graph] [FOLDER]
const Program& CheckProgram();
// story_export [--zip] [--force] [--replace] [--title TEXT] FOLDER OUT
const Program& ExportProgram();
// bmp2png IN.bmp OUT.png
const Program& BitmapProgram();

}  // namespace game::cli
