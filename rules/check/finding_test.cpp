#include "rules/check/finding.h"

#include <gtest/gtest.h>

namespace game::check {
namespace {

TEST(Finding, PrintsInTheCompilerFormatSortedByFileLineAndColumn) {
  std::vector<Finding> findings = {
      {"dat/story.txt", 12, 5, Severity::kWarning, {"wide", "幅"}},
      {"dat/story.txt", 3, 0, Severity::kError, {"label", "ラベル"}},
      {"dat/a3.bmp", 0, 0, Severity::kError, {"missing", "ない"}},
      {"dat/story.txt", 12, 2, Severity::kError, {"words", "語"}},
  };
  SortFindings(findings);
  std::string english, japanese;
  for (const Finding& f : findings) {
    english += FormatFinding(f, Language::kEnglish) + "\n";
    japanese += FormatFinding(f, Language::kJapanese) + "\n";
  }
  EXPECT_EQ(english,
            "dat/a3.bmp: error: missing\n"
            "dat/story.txt:3: error: label\n"
            "dat/story.txt:12:2: error: words\n"
            "dat/story.txt:12:5: warning: wide\n");
  EXPECT_EQ(japanese,
            "dat/a3.bmp: error: ない\n"
            "dat/story.txt:3: error: ラベル\n"
            "dat/story.txt:12:2: error: 語\n"
            "dat/story.txt:12:5: warning: 幅\n");
  EXPECT_EQ(CountOf(findings, Severity::kError), 3);
  EXPECT_EQ(FormatSummary(1, 2, Language::kEnglish), "1 error, 2 warnings");
  EXPECT_EQ(FormatSummary(0, 1, Language::kJapanese), "エラー 0 件、警告 1 件");
}

}  // namespace
}  // namespace game::check
