#include "platform/export/export_options.h"

#include <gtest/gtest.h>

#include "rules/cli/programs.h"

namespace game::exporting {
namespace {

TEST(ExportOptions, OperandsAndOptions) {
  const struct {
    std::vector<std::string> arguments;
    ExportOptions expected;
  } cases[] = {
      {{"story", "site"}, {.folder = "story", .out = "site"}},
      {{"--zip", "--force", "story", "game.zip"},
       {.folder = "story", .out = "game.zip", .zip = true, .force = true}},
      {{"story", "site", "--title", "星の話", "--replace"},
       {.folder = "story", .out = "site", .title = "星の話", .replace = true}},
  };
  for (const auto& c : cases) {
    const cli::CommandLine line = cli::Parse(cli::ExportProgram(), c.arguments);
    ASSERT_FALSE(line.problem) << line.problem->en;
    const ExportOptions got = ExportOptionsOf(line);
    EXPECT_EQ(got.folder, c.expected.folder);
    EXPECT_EQ(got.out, c.expected.out);
    EXPECT_EQ(got.title, c.expected.title);
    EXPECT_EQ(got.zip, c.expected.zip);
    EXPECT_EQ(got.force, c.expected.force);
    EXPECT_EQ(got.replace, c.expected.replace);
  }
}

// Every option the exporter takes is in its help, in both languages.
TEST(ExportOptions, TheHelpNamesEveryOption) {
  EXPECT_TRUE(ExportUsage(Language::kJapanese).starts_with("使い方: story_export "));
  EXPECT_TRUE(ExportUsage(Language::kEnglish).starts_with("usage: story_export "));
  for (const Language language : {Language::kEnglish, Language::kJapanese}) {
    for (const cli::Option& option : cli::ExportProgram().options) {
      EXPECT_NE(ExportUsage(language).find(option.name), std::string::npos) << option.name;
    }
  }
}

}  // namespace
}  // namespace game::exporting
