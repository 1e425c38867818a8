#include "platform/window/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace game {
namespace {

constexpr Language en = Language::kEnglish, ja = Language::kJapanese;

struct Case {
  std::vector<const char*> arguments;  // after the program's name
  std::optional<int> status;
  std::string out_starts;  // what standard output starts with
  std::string err;         // all of standard error
  Language language = en;
  std::optional<std::string> warp = std::nullopt;
  bool watch = false;
  bool low_power = false;
};

TEST(CommandLine, ReadsTheOptionsAnswersHelpAndVersionAndRefusesAnythingElse) {
  const std::vector<Case> cases = {
      {{}, std::nullopt, "", ""},
      {{}, std::nullopt, "", "", ja},
      {{"--help"}, 0, "Usage: luxarim [--warp TARGET] [--watch] [--low-power]\n", ""},
      {{"--help"}, 0, "使い方: luxarim [--warp TARGET] [--watch] [--low-power]\n", "", ja},
      {{"--version"}, 0, "luxarim " GAME_VERSION "\n", ""},
      {{"--version"}, 0, "luxarim " GAME_VERSION "\n", "", ja},
      {{"--version", "--help"}, 0, "luxarim ", ""},  // the first one answers
      {{"--watch", "--help"}, 0, "Usage: ", ""},
      {{"--warp", "@leap"}, std::nullopt, "", "", en, "@leap"},
      {{"--warp=12", "--watch"}, std::nullopt, "", "", en, "12", true},
      {{"--watch", "--warp", "--watch"}, std::nullopt, "", "", en, "--watch", true},
      {{"--low-power"}, std::nullopt, "", "", en, std::nullopt, false, true},
      {{"--low-power", "--warp", "@a", "--watch"}, std::nullopt, "", "", en, "@a", true, true},
      {{"--warp"}, 2, "", "luxarim: --warp needs a value: TARGET (try 'luxarim --help')\n"},
      {{"--watch", "--watch"}, 2, "", "luxarim: --watch is given twice (try 'luxarim --help')\n"},
      {{"-platform", "offscreen"},
       2,
       "",
       "luxarim: 不明なオプション「-platform」です。「luxarim --help」を参照してください。\n",
       ja},
      {{"--help", "dat"}, 2, "", "luxarim: unexpected argument: dat (try 'luxarim --help')\n"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv = {"/usr/lib/games/luxarim/luxarim"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    std::ostringstream out, err;
    std::string label = c.language == ja ? "ja: " : "en: ";
    for (const char* argument : c.arguments) label += std::string(argument) + " ";
    GameOptions options;
    EXPECT_EQ(HandleCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, c.language,
                                options),
              c.status)
        << label;
    EXPECT_EQ(out.str().substr(0, c.out_starts.size()), c.out_starts) << label;
    EXPECT_EQ(out.str().empty(), c.out_starts.empty()) << label;
    EXPECT_EQ(err.str(), c.err) << label;
    EXPECT_EQ(options.warp, c.warp) << label;
    EXPECT_EQ(options.watch, c.watch) << label;
    EXPECT_EQ(options.low_power, c.low_power) << label;
  }
}

}  // namespace
}  // namespace game
