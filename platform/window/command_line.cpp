#include "window/command_line.h"

#include <string_view>

namespace game {
namespace {

constexpr std::string_view kHelp =
    "Usage: luxarim [--warp TARGET] [--watch]\n"
    "       luxarim --help | --version\n"
    "ルクサリム ～放課後の思考飛躍～: a story game in one window.\n"
    "It plays the story, frames and sounds in dat/ under the current folder; the\n"
    "installed luxarim command starts it in the game's data folder.\n"
    "\n"
    "For story authors:\n"
    "  --warp TARGET  start where TARGET is in dat/story.txt: a label (@name) or a\n"
    "                 line number (from 1). The first press of ＞次へ shows the page\n"
    "                 read from there, with the heat and the trap as the shortest\n"
    "                 way there leaves them. An unknown label or a line outside the\n"
    "                 file is refused with exit status 2.\n"
    "  --watch        read dat/story.txt and the frames again each time they are\n"
    "                 saved. The page on the screen stays; ＞次へ reads on from the\n"
    "                 same place. Each reload prints the story checker's findings\n"
    "                 about the story's lines on standard error; a story that does\n"
    "                 not load says why there, and the one before plays on.\n";

struct Parsed {
  std::optional<std::string_view> answer;  // the first --help or --version
  GameOptions options;
};

// One line on `err` and status 2.
int Refuse(std::ostream& err, std::string_view what) {
  err << "luxarim: " << what << " (try --help)\n";
  return 2;
}

// Reads argument `i` (and its value, moving `i` past it) into `parsed`; a refusal's status.
std::optional<int> ReadArgument(int argc, const char* const* argv, int& i, Parsed& parsed,
                                std::ostream& err) {
  const std::string_view argument = argv[i];
  if (argument == "--help" || argument == "--version") {
    if (!parsed.answer) parsed.answer = argument;
  } else if (argument == "--watch") {
    if (parsed.options.watch) return Refuse(err, "--watch is given twice");
    parsed.options.watch = true;
  } else if (argument == "--warp" || argument.starts_with("--warp=")) {
    if (parsed.options.warp) return Refuse(err, "--warp is given twice");
    if (argument == "--warp" && i + 1 >= argc) {
      return Refuse(err, "--warp needs a TARGET: a label (@name) or a line number");
    }
    parsed.options.warp = argument == "--warp" ? argv[++i] : argument.substr(7);
  } else {
    return Refuse(err, "unknown argument \"" + std::string(argument) + "\"");
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, GameOptions& options) {
  Parsed parsed;
  for (int i = 1; i < argc; ++i) {
    if (const auto status = ReadArgument(argc, argv, i, parsed, err)) return status;
  }
  if (!parsed.answer) {
    options = parsed.options;
    return std::nullopt;
  }
  if (*parsed.answer == "--help") {
    out << kHelp;
  } else {
    out << "luxarim " << GAME_VERSION << '\n';
  }
  return 0;
}

}  // namespace game
