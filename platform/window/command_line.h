// The program's command line. The game reads one option, --low-power; --help and --version are
// answered before any window exists, and every other argument is refused, Qt's own options
// (-platform, -display, ...) included, so that a mistyped word is reported instead of being
// silently taken or ignored. Qt's settings remain available through its environment variables
// (QT_QPA_PLATFORM, DISPLAY, ...).
#pragma once

#include <optional>
#include <ostream>

namespace game {

// How the game is to run.
struct GameOptions {
  // --low-power: the main loop rests between passes instead of spinning (MyTime::SetMessageWait).
  bool low_power = false;
};

// The exit status when the program must end at once: 0 after the help or the version on `out`
// (the first of the two given answers), 2 after a one-line refusal on `err`. Nothing when the
// game is to start; `options` then holds the options given.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, GameOptions& options);

}  // namespace game
