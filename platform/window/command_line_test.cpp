#include "window/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace game {
namespace {

struct Case {
  std::vector<const char*> arguments;  // after the program's name
  std::optional<int> status;
  std::string out_starts;  // what standard output starts with
  std::string err;         // all of standard error
  bool low_power = false;
};

TEST(CommandLine, TakesLowPowerAnswersHelpAndVersionAndRefusesAnythingElse) {
  const std::vector<Case> cases = {
      {{}, std::nullopt, "", ""},
      {{"--low-power"}, std::nullopt, "", "", true},
      {{"--low-power", "--low-power"}, std::nullopt, "", "", true},
      {{"--help"}, 0, "Usage: luxarim [--low-power] [--help | --version]\n", ""},
      {{"--low-power", "--help"}, 0, "Usage: luxarim ", "", true},
      {{"--version"}, 0, "luxarim " GAME_VERSION "\n", ""},
      {{"--version", "--help"}, 0, "luxarim ", ""},  // the first one answers
      {{"-h"}, 2, "", "luxarim: unknown argument \"-h\" (try --help)\n"},
      {{"-platform", "offscreen"}, 2, "", "luxarim: unknown argument \"-platform\" (try --help)\n"},
      {{"--help", "dat"}, 2, "", "luxarim: unknown argument \"dat\" (try --help)\n"},
      {{"--low-power", "-low-power"},
       2,
       "",
       "luxarim: unknown argument \"-low-power\" (try --help)\n"},
      {{"--low-power=1"}, 2, "", "luxarim: unknown argument \"--low-power=1\" (try --help)\n"},
      {{""}, 2, "", "luxarim: unknown argument \"\" (try --help)\n"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv = {"/usr/lib/games/luxarim/luxarim"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    std::ostringstream out, err;
    const std::string label = c.arguments.empty() ? "(none)" : c.arguments.back();
    GameOptions options;
    EXPECT_EQ(HandleCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, options),
              c.status)
        << label;
    if (c.status == std::nullopt) EXPECT_EQ(options.low_power, c.low_power) << label;
    EXPECT_EQ(out.str().substr(0, c.out_starts.size()), c.out_starts) << label;
    EXPECT_EQ(out.str().empty(), c.out_starts.empty()) << label;
    EXPECT_EQ(err.str(), c.err) << label;
  }
}

}  // namespace
}  // namespace game
