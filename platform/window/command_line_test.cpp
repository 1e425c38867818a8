#include "window/command_line.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace game {
namespace {

struct Case {
  Language language;
  std::vector<const char*> arguments;  // after the program's name
  std::optional<int> status;
  std::string out_starts;  // what standard output starts with
  std::string err;         // all of standard error
};

TEST(CommandLine, AnswersHelpAndVersionAndRefusesAnythingElse) {
  constexpr Language en = Language::kEnglish, ja = Language::kJapanese;
  const std::vector<Case> cases = {
      {en, {}, std::nullopt, "", ""},
      {ja, {}, std::nullopt, "", ""},
      {en, {"--help"}, 0, "Usage: luxarim [--help | --version]\n", ""},
      {ja, {"--help"}, 0, "使い方: luxarim [--help | --version]\n", ""},
      {en, {"--version"}, 0, "luxarim " GAME_VERSION "\n", ""},
      {ja, {"--version"}, 0, "luxarim " GAME_VERSION "\n", ""},
      {en, {"--version", "--help"}, 0, "luxarim ", ""},  // the first one answers
      {en, {"-h"}, 2, "", "luxarim: unknown argument \"-h\" (try --help)\n"},
      {ja, {"-h"}, 2, "", "luxarim: 不明な引数「-h」(--help を参照)\n"},
      {en,
       {"-platform", "offscreen"},
       2,
       "",
       "luxarim: unknown argument \"-platform\" (try --help)\n"},
      {en, {"--help", "dat"}, 2, "", "luxarim: unknown argument \"dat\" (try --help)\n"},
      {ja, {"--help", "dat"}, 2, "", "luxarim: 不明な引数「dat」(--help を参照)\n"},
      {en, {""}, 2, "", "luxarim: unknown argument \"\" (try --help)\n"},
  };
  for (const Case& c : cases) {
    std::vector<const char*> argv = {"/usr/lib/games/luxarim/luxarim"};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    std::ostringstream out, err;
    const std::string label = (c.language == ja ? "ja " : "en ") +
                              std::string(c.arguments.empty() ? "(none)" : c.arguments.front());
    EXPECT_EQ(HandleCommandLine(static_cast<int>(argv.size()), argv.data(), out, err, c.language),
              c.status)
        << label;
    EXPECT_EQ(out.str().substr(0, c.out_starts.size()), c.out_starts) << label;
    EXPECT_EQ(out.str().empty(), c.out_starts.empty()) << label;
    EXPECT_EQ(err.str(), c.err) << label;
  }
}

}  // namespace
}  // namespace game
