#include "rules/check/options.h"

#include <gtest/gtest.h>

#include "rules/cli/programs.h"

namespace game::check {
namespace {

TEST(Options, TheFolderTheMapTheStoryboardAndTheirPermissions) {
  const struct {
    std::vector<std::string> arguments;
    std::string folder, graph, storyboard;
    bool overwrite, large_graph;
  } cases[] = {
      {{}, "dat", "", "", false, false},
      {{"stories/one"}, "stories/one", "", "", false, false},
      {{"--graph", "map.svg", "--storyboard=board", "x"}, "x", "map.svg", "board", false, false},
      {{"--overwrite", "--graph=m.png", "--large-graph"}, "dat", "m.png", "", true, true},
  };
  for (const auto& c : cases) {
    const cli::CommandLine line = cli::Parse(cli::CheckProgram(), c.arguments);
    ASSERT_FALSE(line.problem) << line.problem->en;
    const Options options = CheckOptions(line);
    EXPECT_EQ(options.folder, c.folder);
    EXPECT_EQ(options.graph, c.graph);
    EXPECT_EQ(options.storyboard, c.storyboard);
    EXPECT_EQ(options.overwrite, c.overwrite);
    EXPECT_EQ(options.large_graph, c.large_graph);
  }
}

// Every option the checker takes is in its help, in both languages.
TEST(Options, TheHelpNamesEveryOption) {
  for (const Language language : {Language::kEnglish, Language::kJapanese}) {
    for (const cli::Option& option : cli::CheckProgram().options) {
      EXPECT_NE(Usage(language).find(option.name), std::string::npos) << option.name;
    }
  }
}

}  // namespace
}  // namespace game::check
