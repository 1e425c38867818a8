// The program's command line. Besides --help and --version, which are answered before any window
// exists, it reads the author's preview options and the low-power mode into GameOptions; every
// other argument is refused, Qt's own options (-platform, -display, ...) included, so that a
// mistyped word is reported instead of being silently taken or ignored. Qt's settings remain
// available through its environment variables (QT_QPA_PLATFORM, DISPLAY, ...). The help and the
// refusals are in `language`, both texts held side by side in command_line.cpp.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "rules/locale/language.h"

namespace game {

// What the command line asks of the game.
struct GameOptions {
  std::optional<std::string> warp;  // --warp TARGET: start where TARGET (a label or a line) is
  bool watch = false;               // --watch: read the story and the frames again when saved
  bool low_power = false;           // --low-power: the main loop rests instead of spinning
};

// The exit status when the program must end at once: 0 after the help or the version on `out`
// (the first of them given answers), 2 after a one-line refusal on `err` (rules/cli). Nothing when
// the game starts: `options` then holds what was asked. "--warp TARGET" and "--warp=TARGET" are
// the same.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, Language language, GameOptions& options);

}  // namespace game
