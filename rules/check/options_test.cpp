#include "rules/check/options.h"

#include <gtest/gtest.h>

namespace game::check {
namespace {

TEST(Options, ReadsTheFolderTheMapAndTheStoryboardOrSaysWhatIsWrong) {
  const struct {
    std::vector<std::string> arguments;
    std::string folder, graph, storyboard, error;
  } cases[] = {
      {{}, "dat", "", "", ""},
      {{"stories/one"}, "stories/one", "", "", ""},
      {{"--graph", "map.svg", "--storyboard=board", "x"}, "x", "map.svg", "board", ""},
      {{"--", "--graph"}, "--graph", "", "", ""},
      {{"--graph"}, "dat", "", "", "--graph needs a value"},
      {{"--storyboard="}, "dat", "", "", "--storyboard needs a value"},
      {{"a", "b"}, "a", "", "", "more than one folder: b"},
      {{"--lang"}, "dat", "", "", "unknown option: --lang"},
  };
  for (const auto& c : cases) {
    const ParsedOptions parsed = ParseOptions(c.arguments, Language::kEnglish);
    EXPECT_EQ(parsed.error, c.error);
    if (!c.error.empty()) continue;
    EXPECT_EQ(parsed.options.folder, c.folder);
    EXPECT_EQ(parsed.options.graph, c.graph);
    EXPECT_EQ(parsed.options.storyboard, c.storyboard);
  }
  EXPECT_TRUE(ParseOptions({"-h"}, Language::kEnglish).options.help);
  EXPECT_TRUE(ParseOptions({"--version"}, Language::kEnglish).options.version);
  EXPECT_EQ(ParseOptions({"-x"}, Language::kJapanese).error, "不明なオプション: -x");
}

}  // namespace
}  // namespace game::check
