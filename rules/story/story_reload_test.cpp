#include "rules/story/story_reload.h"

#include <gtest/gtest.h>

#include "rules/contracts/app_error.h"
#include "tests/support/story_bench.h"

namespace game {
namespace {

using Entries = std::vector<std::string>;

// Three pages: A1 A2 after a label, B1 B2, C1; the end marker last.
const Entries kStory = {"@a", "A1", "A2", "", "B1", "B2", "", "C1", "#End"};

Entries Edited(Entries entries, std::size_t at, std::size_t erase, const Entries& insert) {
  entries.erase(entries.begin() + static_cast<long>(at),
                entries.begin() + static_cast<long>(at + erase));
  entries.insert(entries.begin() + static_cast<long>(at), insert.begin(), insert.end());
  return entries;
}

TEST(ReadOnCursor, KeepsTheLineWhenItStaysElseGoesToThePageThatHeldIt) {
  const struct {
    const char* edit;
    Entries now;
    int cursor;
    int expected;
  } cases[] = {
      {"nothing changed", kStory, 4, 4},
      {"a later page changed", Edited(kStory, 7, 1, {"C1x"}), 4, 4},
      {"an earlier line changed", Edited(kStory, 1, 1, {"A1x"}), 4, 4},
      {"a line came in earlier", Edited(kStory, 2, 0, {"A1b"}), 4, 5},
      {"an earlier line went", Edited(kStory, 2, 1, {}), 4, 3},
      {"a page came in earlier", Edited(kStory, 0, 0, {"P", ""}), 7, 9},
      {"the cursor's line changed", Edited(kStory, 4, 1, {"B1x"}), 4, 4},
      {"a line mid-page changed", Edited(kStory, 5, 1, {"B2x"}), 5, 4},
      {"the cursor's line went", Edited(kStory, 4, 1, {}), 4, 4},
      {"a page came in at the cursor", Edited(kStory, 4, 0, {"N1", ""}), 4, 4},
      {"the cursor's page went", Edited(kStory, 4, 3, {}), 5, 4},
      {"a line mid-page after a label", Edited(kStory, 2, 1, {"A2x"}), 2, 1},
      {"lines at the cursor came in", Edited(kStory, 5, 0, {"B1b"}), 5, 4},
      {"the story was emptied", {"#End"}, 5, 0},
      {"past the end stays past it", Edited(kStory, 7, 0, {"C2"}), 9, 10},
      {"on the end marker", Edited(kStory, 0, 1, {}), 8, 7},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadOnCursor(kStory, c.now, c.cursor), c.expected) << c.edit;
  }
}

TEST(IsPageStart, TheFirstEntryAndThoseAfterABlankOrALabel) {
  const Entries entries = {"A", "B", "", "C", "@x", "D", "#End"};
  const bool expected[] = {true, false, false, true, false, true, false};
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    EXPECT_EQ(IsPageStart(entries, i), expected[i]) << i;
  }
  EXPECT_FALSE(IsPageStart(entries, 7));
  EXPECT_FALSE(IsPageStart(entries, -1));
}

TEST(PageStartAtOrBefore, TheStartOfThePageThatHoldsTheEntry) {
  const Entries entries = {"A", "B", "", "C", "@x", "D", "", "#End"};
  const int expected[] = {0, 0, 0, 3, 3, 5, 5, 7};
  for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
    EXPECT_EQ(PageStartAtOrBefore(entries, i), expected[i]) << i;
  }
  EXPECT_EQ(PageStartAtOrBefore(entries, -3), 0);
}

class ReloadScriptTest : public ::testing::Test, public testing::StoryBench {
 protected:
  void SetUp() override {
    Load({"A", "", "B"});
    script.SetScriptCursor(2);  // after the first page
  }
};

TEST_F(ReloadScriptTest, TakesTheNewStoryAndReadsOnFromTheSameLine) {
  ReloadScript(script, files, Write("New\n\nA\n\nB\n"));
  EXPECT_EQ(script.Entries(), (Entries{"New", "", "A", "", "B", "#End"}));
  EXPECT_EQ(script.ScriptCursor(), 4);
}

TEST_F(ReloadScriptTest, AFileWithoutALineIsHeldBackWhileTheStoryBeforeHadLines) {
  for (const char* bytes : {"", "\x1a",
                            "\x1a"
                            "A\n"}) {
    EXPECT_EQ(ReloadScript(script, files, Write(bytes)), Reloaded::kHeldBack) << bytes;
    EXPECT_EQ(script.Entries(), (Entries{"A", "", "B", "#End"}));
    EXPECT_EQ(script.ScriptCursor(), 2);
  }
  // A blank line is a line: the author may have meant it.
  EXPECT_EQ(ReloadScript(script, files, Write("\n")), Reloaded::kRead);
  EXPECT_EQ(script.Entries(), (Entries{"", "#End"}));
}

TEST_F(ReloadScriptTest, AStoryThatNeverLoadedReadsFromItsFirstLine) {
  MyScript fresh(files, boxes, termination);
  EXPECT_EQ(ReloadScript(fresh, files, Write("A\n\nB\n")), Reloaded::kRead);
  EXPECT_EQ(fresh.ScriptCursor(), 0);
  // An empty file is read too: there was no story to keep.
  MyScript empty(files, boxes, termination);
  EXPECT_EQ(ReloadScript(empty, files, Write("")), Reloaded::kRead);
  EXPECT_EQ(empty.Entries(), (Entries{"#End"}));
}

TEST_F(ReloadScriptTest, AStoryThatNoLongerLoadsLeavesTheOldOneAsItWasAndShowsNothing) {
  const std::string too_many = testing::RepeatedLines(MyScript::kTableSize, "x");
  const struct {
    const char* why;
    std::function<void()> break_it;
  } cases[] = {
      {"missing", [] {}},
      {"a folder", [&] { files.not_regular.insert(UnitStory::kStoryPath); }},
      {"unreadable", [&] { files.read_errors[UnitStory::kStoryPath] = EIO; }},
      {"too many lines", [&] { Write(too_many); }},
      {"too large", [&] { files.claimed_sizes[Write("A\n")] = MyScript::kMaxFileBytes + 1; }},
  };
  for (const auto& c : cases) {
    files = {};
    c.break_it();
    EXPECT_THROW(ReloadScript(script, files, UnitStory::kStoryPath), AppError) << c.why;
    EXPECT_EQ(script.Entries(), (Entries{"A", "", "B", "#End"})) << c.why;
    EXPECT_EQ(script.ScriptCursor(), 2) << c.why;
  }
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(termination.requests, 0);
}

}  // namespace
}  // namespace game
