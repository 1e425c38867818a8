#include "window/command_line.h"

#include <string_view>

namespace game {
namespace {

constexpr std::string_view kHelp =
    "Usage: luxarim [--low-power] [--help | --version]\n"
    "ルクサリム ～放課後の思考飛躍～: a story game in one window.\n"
    "It plays the story, frames and sounds in dat/ under the current folder; the\n"
    "installed luxarim command starts it in the game's data folder.\n"
    "\n"
    "  --low-power  let the processor rest between the picture's updates instead of\n"
    "               keeping a core busy; the game plays the same (for laptops)\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, GameOptions& options) {
  std::string_view answer;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--low-power") {
      options.low_power = true;
    } else if (argument == "--help" || argument == "--version") {
      if (answer.empty()) answer = argument;
    } else {
      err << "luxarim: unknown argument \"" << argument << "\" (try --help)\n";
      return 2;
    }
  }
  if (answer.empty()) return std::nullopt;
  if (answer == "--help") {
    out << kHelp;
  } else {
    out << "luxarim " << GAME_VERSION << '\n';
  }
  return 0;
}

}  // namespace game
