#include "platform/export/export_options.h"

#include <gtest/gtest.h>

namespace game::exporting {
namespace {

using check::Language;

TEST(ExportOptions, OperandsOptionsAndMistakes) {
  const struct {
    std::vector<std::string> arguments;
    ExportOptions expected;
    std::string error;
  } cases[] = {
      {{"story", "site"}, {.folder = "story", .out = "site"}, ""},
      {{"--zip", "--force", "story", "game.zip"},
       {.folder = "story", .out = "game.zip", .zip = true, .force = true},
       ""},
      {{"story", "site", "--title", "星の話"},
       {.folder = "story", .out = "site", .title = "星の話"},
       ""},
      {{"--title=A B", "story", "site"}, {.folder = "story", .out = "site", .title = "A B"}, ""},
      {{"--", "--zip", "-"}, {.folder = "--zip", .out = "-"}, ""},
      {{"--help"}, {.help = true}, ""},
      {{"--version"}, {.version = true}, ""},
      {{"story", "site", "--title"}, {}, "--title needs a value"},
      {{"--title=", "story", "site"}, {}, "--title needs a value"},
      {{"story"}, {}, "give the story folder and where to write the site"},
      {{}, {}, "give the story folder and where to write the site"},
      {{"a", "b", "c"}, {}, "more than two operands: c"},
      {{"--zipp", "a", "b"}, {}, "unknown option: --zipp"},
  };
  for (const auto& c : cases) {
    const ParsedExportOptions parsed = ParseExportOptions(c.arguments, Language::kEnglish);
    EXPECT_EQ(parsed.error, c.error) << testing::PrintToString(c.arguments);
    if (!c.error.empty()) continue;
    const ExportOptions& got = parsed.options;
    EXPECT_EQ(got.folder, c.expected.folder);
    EXPECT_EQ(got.out, c.expected.out);
    EXPECT_EQ(got.title, c.expected.title);
    EXPECT_EQ(got.zip, c.expected.zip);
    EXPECT_EQ(got.force, c.expected.force);
    EXPECT_EQ(got.help, c.expected.help);
    EXPECT_EQ(got.version, c.expected.version);
  }
}

TEST(ExportOptions, MistakesAndUsageInJapanese) {
  EXPECT_EQ(ParseExportOptions({"--lang", "a", "b"}, Language::kJapanese).error,
            "不明なオプション: --lang");
  EXPECT_TRUE(ExportUsage(Language::kJapanese).starts_with("使い方: story_export "));
  EXPECT_TRUE(ExportUsage(Language::kEnglish).starts_with("usage: story_export "));
}

}  // namespace
}  // namespace game::exporting
