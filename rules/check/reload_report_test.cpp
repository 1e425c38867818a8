#include "rules/check/reload_report.h"

#include <gtest/gtest.h>

#include "tests/support/story_bench.h"

namespace game::check {
namespace {

// The report on `story` loaded with the cursor at `cursor`.
std::string Report(const std::string& story, int cursor, Language language) {
  testing::StoryBench bench;
  bench.script.LoadFromBytes(story, false);
  bench.script.SetScriptCursor(cursor);
  return ReloadReport(bench.script, "dat/story.txt", bench.decoder, language);
}

TEST(ReloadReport, TheTablesFindingsInOrderThenTheirCountAndWhereReadingGoesOn) {
  const struct {
    const char* story;
    int cursor;
    Language language;
    std::string starts;
    std::string ends;
  } cases[] = {
      {"A\n\nB\n", 2, Language::kEnglish,
       "luxarim: dat/story.txt read anew: ", "0 errors, 0 warnings; ＞次へ reads on from line 3\n"},
      {"A\n#goto @nowhere\n\n#trap x\n", 1, Language::kEnglish,
       "dat/story.txt:2:7: error: ", "2 errors, 0 warnings; ＞次へ reads on from line 2\n"},
      {"A\n", 2, Language::kEnglish, "luxarim: ", "＞次へ reads the story's end\n"},
      {"A\n", 0, Language::kJapanese, "luxarim: dat/story.txt を読み直しました。",
       "エラー 0 件、警告 0 件。＞次へは 1 行目から読みます。\n"},
      // The checker calls a story without a page an error, and so does the report.
      {"", 0, Language::kEnglish, "dat/story.txt: error: the story shows no page",
       "1 error, 0 warnings; ＞次へ reads the story's end\n"},
      {"\n@a\n#goto @a\n", 0, Language::kJapanese,
       "dat/story.txt: error: 物語に表示されるページがありません。",
       "エラー 1 件、警告 0 件。"
       "＞次へは 1 行目から読みます。\n"},
  };
  for (const auto& c : cases) {
    const std::string report = Report(c.story, c.cursor, c.language);
    EXPECT_EQ(report.substr(0, c.starts.size()), c.starts) << c.story;
    ASSERT_GE(report.size(), c.ends.size()) << c.story;
    EXPECT_EQ(report.substr(report.size() - c.ends.size()), c.ends) << c.story;
  }
  // The second story's findings come in line order, one a line, before the count.
  const std::string report = Report("A\n#goto @nowhere\n\n#trap x\n", 1, Language::kEnglish);
  EXPECT_LT(report.find("dat/story.txt:2:"), report.find("dat/story.txt:4:"));
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 3);
}

}  // namespace
}  // namespace game::check
