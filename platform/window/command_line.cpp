#include "window/command_line.h"

#include <string_view>

namespace game {
namespace {

constexpr std::string_view kHelp =
    "Usage: luxarim [--help | --version]\n"
    "ルクサリム ～放課後の思考飛躍～: a story game in one window.\n"
    "It plays the story, frames and sounds in dat/ under the current folder; the\n"
    "installed luxarim command starts it in the game's data folder.\n";

bool Known(std::string_view argument) { return argument == "--help" || argument == "--version"; }

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err) {
  if (argc < 2) return std::nullopt;
  for (int i = 1; i < argc; ++i) {
    if (!Known(argv[i])) {
      err << "luxarim: unknown argument \"" << argv[i] << "\" (try --help)\n";
      return 2;
    }
  }
  if (std::string_view(argv[1]) == "--help") {
    out << kHelp;
  } else {
    out << "luxarim " << GAME_VERSION << '\n';
  }
  return 0;
}

}  // namespace game
