#include "rules/check/story_walk.h"

#include <gtest/gtest.h>

#include "rules/check/story_map.h"
#include "rules/check/walk_report.h"
#include "rules/story/unit_story.h"
#include "tests/support/script_bytes.h"
#include "tests/support/story_bench.h"

namespace game::check {
namespace {

using Lines = std::vector<std::string>;

// A story in a fake dat/ folder, loaded and walked as the checker does.
struct Walked : testing::StoryBench {
  explicit Walked(const Lines& lines) {
    Write(testing::ScriptBytes(lines));
    EXPECT_FALSE(walk.Load());
    walk.Walk();
  }
  StoryWalk walk{files, decoder};
};

// The lines (joined with '|') of the pages in reading order.
std::vector<std::string> PagesRead(const StoryWalk& walk) {
  std::vector<std::string> pages;
  for (int id : ReadingOrder(walk)) {
    std::string text;
    for (const std::string& line : walk.Pages()[static_cast<std::size_t>(id)].lines) {
      text += (text.empty() ? "" : "|") + line;
    }
    pages.push_back(text);
  }
  return pages;
}

const Lines kBranch = {"A", "#trap @x", "", "B", "#end", "@x", "C", "D", "", "E"};
const std::string kAnswer =
    std::string(UnitStory::kAnswerLines[0]) + "|" + UnitStory::kAnswerLines[1];

TEST(StoryWalk, SummarizesTheWaysInPagesTheReaderSees) {
  const struct {
    const char* name;
    Lines story;
    int pages, shortest, longest;
    std::vector<int> ending_lines;
    bool unbounded;
  } cases[] = {
      {"two pages", {"A", "", "B"}, 2, 2, 2, {4}, false},
      {"a trap answered or passed", kBranch, 5, 2, 4, {5, 11}, false},
      // ★ on A leads to B, which jumps back to A with one use less: seven rounds at most.
      {"seven uses",
       {"@l", "A", "#trap @b", "", "#end", "@b", "B", "#goto @l"},
       3,
       1,
       22,
       {5},
       false},
      // The answer on a page that ends: the next press ends at the "#end", not at the label.
      {"a trap on the last page", {"A", "#trap @x", "#end", "", "@x", "C"}, 2, 1, 2, {3}, false},
      {"a loop the reader can leave",
       {"@l", "A", "#trap @out", "", "#goto @l", "@out", "B"},
       3,
       3,
       -1,
       {8},
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Walked story(c.story);
    const WalkSummary summary = SummarizeWalk(story.walk);
    EXPECT_EQ(summary.pages, c.pages);
    EXPECT_EQ(summary.shortest, c.shortest);
    EXPECT_EQ(summary.longest, c.longest);
    EXPECT_EQ(summary.unbounded, c.unbounded);
    std::vector<int> lines;
    for (int entry : summary.endings) lines.push_back(entry + 1);
    EXPECT_EQ(lines, c.ending_lines);
  }
}

TEST(StoryWalk, StatesGrowWithTheStoryNotWithItsWays) {
  // Twenty traps in a row, each answer a page of its own that joins the main line again: over
  // 100000 ways with seven uses, but each page is met with at most eight counts of uses left.
  Lines story;
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    story.insert(story.end(), {"@m" + n, "main " + n, "#trap @s" + n, "", "#goto @n" + n, "@s" + n,
                               "side " + n, "@n" + n});
  }
  Walked walked(story);
  const WalkSummary summary = SummarizeWalk(walked.walk);
  EXPECT_EQ(summary.pages, 20 + 20 * 2);  // main, answer and side page for each trap
  EXPECT_LE(summary.states, 1 + 60 * 8);
  EXPECT_EQ(summary.shortest, 20);
  EXPECT_EQ(summary.longest, 20 + 7 * 2);
}

TEST(StoryWalk, ReadingOrderFollowsNextThenEachBranchAndShowRedrawsAPage) {
  Walked story({"#heatOn", "A", "#trap @x", "", "#heatOff", "B", "#end", "@x", "C"});
  EXPECT_EQ(PagesRead(story.walk), (std::vector<std::string>{"A", "B", kAnswer, "C"}));
  for (int id : ReadingOrder(story.walk)) {
    story.walk.Show(id);
    const WalkPage& page = story.walk.Pages()[static_cast<std::size_t>(id)];
    const UnitStory& shown = story.walk.Story();
    EXPECT_EQ(Lines(shown.PageLines().begin(), shown.PageLines().begin() + shown.PageLineCount()),
              page.lines);
    EXPECT_EQ(shown.HeatOn(), page.after.flags.heat_on);
  }
}

TEST(StoryWalk, MapDrawsReadingOnJumpsAnswersAndEndings) {
  Walked story({"A", "#trap @x", "", "B", "#goto @y", "@x", "C", "@y", "D"});
  const std::string dot = StoryMapDot(story.walk, ReadingOrder(story.walk), story.decoder);
  for (const char* part : {"start -> p1;", "p1 [label=\"p1: line 1\\n[A]\", color=red", "p1 -> p2;",
                           "p1 -> p4 [color=red, fontcolor=red, style=dashed",
                           "p2 -> p3 [color=blue, fontcolor=blue, label=\"#goto\"]",
                           "p4 [label=\"p4–5 ★: line 7", "p4 -> p3;", "p3 -> end9;",
                           "end9 [label=\"end\\nend of file (line 9)\", shape=doublecircle"}) {
    EXPECT_NE(dot.find(part), std::string::npos) << part << "\n" << dot;
  }
  // A box gives every line its pages show, the last page's last line included.
  Walked two({"A", "", "B", "C"});
  const std::string two_dot = StoryMapDot(two.walk, ReadingOrder(two.walk), two.decoder);
  EXPECT_NE(two_dot.find("p1 [label=\"p1–2: lines 1–4\\n"), std::string::npos) << two_dot;
  EXPECT_EQ(DotQuoted("a\"b\\c\nd"), "a\\\"b\\\\c\\nd");
}

}  // namespace
}  // namespace game::check
