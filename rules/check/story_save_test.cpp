#include "rules/check/story_save.h"

#include <gtest/gtest.h>

namespace game::check {
namespace {

// A story file as an author may have it: CR LF lines, one LF line, a comment holding a byte that
// forms no character (0x80), a character with a twin (0xFA 0x4A, read as U+2160), and a tail
// after a Ctrl-Z holding a lone lead byte.
constexpr std::string_view kFile =
    "@start\r\n"
    "\x82\xA0\x82\xA2 // \x80\r\n"  // あい // (0x80)
    "\xFA\x4A\n"                    // Ⅰ in the IBM rows (its first form is 0x87 0x54)
    "#end\r\n"
    "\x1A tail \x82\r\n"
    "last";

TEST(StorySave, ShowsTheLinesDecodedWithoutTheirEndings) {
  EXPECT_EQ(StoryEditorText(kFile),
            "@start\nあい // \xEF\xBF\xBD\n\xE2\x85\xA0\n#end\n\x1A tail \xEF\xBF\xBD\nlast");
  EXPECT_EQ(StoryEditorText("a\r\n"), "a\n");
  EXPECT_EQ(StoryEditorText("a\r\r\nb\r"), "a\r\nb\r");  // a lone CR stays in its line
  EXPECT_EQ(StoryEditorText(""), "");
}

TEST(StorySave, WritesUntouchedLinesByteForByteAndEncodesTheRest) {
  const std::string shown = StoryEditorText(kFile);
  const auto edit = [&](std::string_view from, std::string_view to) {
    std::string text = shown;
    return text.replace(text.find(from), from.size(), to);
  };
  const struct {
    std::string original, edited, bytes;
  } cases[] = {
      {std::string(kFile), shown, std::string(kFile)},  // nothing typed: the same bytes
      {std::string(kFile), edit("#end", "#END"),        // one line typed: only that line changes
       "@start\r\n\x82\xA0\x82\xA2 // \x80\r\n\xFA\x4A\n#END\r\n\x1A tail \x82\r\nlast"},
      {std::string(kFile), edit("@start\n", "@start\n新\n"),  // a new line takes the usual CR LF
       "@start\r\n\x90\x56\r\n\x82\xA0\x82\xA2 // \x80\r\n\xFA\x4A\n#end\r\n\x1A tail "
       "\x82\r\nlast"},
      {std::string(kFile), edit("\nlast", ""),  // the last line goes: #end's tail line is last
       "@start\r\n\x82\xA0\x82\xA2 // \x80\r\n\xFA\x4A\n#end\r\n\x1A tail \x82"},
      {std::string(kFile), shown + "\nmore",  // the old last line gets an ending
       std::string(kFile) + "\r\nmore"},
      {std::string(kFile), edit("\xE2\x85\xA0", "\xE2\x85\xA0!"),  // a typed twin: its first form
       "@start\r\n\x82\xA0\x82\xA2 // \x80\r\n\x87\x54!\n#end\r\n\x1A tail \x82\r\nlast"},
      {"a\nb\nc\n", "a\nB\nc\nd\n", "a\nB\nc\nd\n"},            // an LF file stays LF
      {"a\r\nb\nc\r\n", "a\nB\nX\nc\n", "a\r\nB\nX\r\nc\r\n"},  // a changed line keeps its own
      {"", "@start\nあ", "@start\r\n\x82\xA0"},                 // a new story: CR LF
      {"x\r\n", "", ""},
  };
  for (const auto& c : cases) {
    const SavePlan plan = PlanStorySave(c.original, c.edited, false, "story.txt");
    EXPECT_EQ(plan.outcome, SaveOutcome::kWrite) << c.edited;
    EXPECT_EQ(plan.bytes, c.bytes) << c.edited;
    EXPECT_TRUE(plan.refusals.empty());
  }
}

TEST(StorySave, WaitsForTheAuthorBeforeChangedLinesLoseBytesThatFormNoCharacter) {
  std::string edited = StoryEditorText(kFile);
  edited.replace(edited.find("tail"), 4, "TAIL");
  edited.replace(edited.find("// "), 3, "//! ");
  const SavePlan asked = PlanStorySave(kFile, edited, false, "story.txt");
  EXPECT_EQ(asked.outcome, SaveOutcome::kConfirm);
  EXPECT_EQ(asked.lossy_lines, (std::vector<int>{2, 5}));
  EXPECT_TRUE(asked.bytes.empty());  // nothing to write yet
  const SavePlan confirmed = PlanStorySave(kFile, edited, true, "story.txt");
  EXPECT_EQ(confirmed.outcome, SaveOutcome::kWrite);
  EXPECT_EQ(confirmed.bytes,
            "@start\r\n\x82\xA0\x82\xA2 //! \r\n\xFA\x4A\n#end\r\n\x1A TAIL \r\nlast");
  EXPECT_EQ(LossyLinesQuestion(asked.lossy_lines).en.substr(0, 14), "Lines 2, 5 hel");
  EXPECT_EQ(LossyLinesQuestion({7}).ja.substr(0, 14), "7 行目には");
}

TEST(StorySave, RefusesACharacterWithoutAShiftJisFormAndNamesItsPlace) {
  const std::string edited = "@start\nあい♡\nok😀";
  for (bool confirmed : {false, true}) {
    const SavePlan plan = PlanStorySave("@start\r\n", edited, confirmed, "story.txt");
    EXPECT_EQ(plan.outcome, SaveOutcome::kRefused);
    EXPECT_TRUE(plan.bytes.empty());
    ASSERT_EQ(plan.refusals.size(), 2u);
    EXPECT_EQ(FormatFinding(plan.refusals[0], Language::kEnglish),
              "story.txt:2:3: error: \"♡\" (U+2661) has no Shift-JIS (code page 932) form: the "
              "file is not saved; replace it with a character Shift-JIS has");
    EXPECT_TRUE(FormatFinding(plan.refusals[1], Language::kJapanese)
                    .starts_with("story.txt:3:3: error: \"😀\" (U+1F600) には"));
  }
}

}  // namespace
}  // namespace game::check
