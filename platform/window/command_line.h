// The program's command line. The game reads nothing from it: only --help and --version are
// answered, before any window exists, and every other argument is refused, Qt's own options
// (-platform, -display, ...) included, so that a mistyped word is reported instead of being
// silently taken or ignored. Qt's settings remain available through its environment variables
// (QT_QPA_PLATFORM, DISPLAY, ...). The help and the refusal are in `language`, both texts held
// here side by side.
#pragma once

#include <optional>
#include <ostream>

#include "locale/language.h"

namespace game {

// The exit status when the program must end at once: 0 after the help or the version on `out`,
// 2 after a one-line refusal on `err`. Nothing when there are no arguments and the game starts.
std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, Language language);

}  // namespace game
