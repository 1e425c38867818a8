#include "rules/check/warp.h"

#include <gtest/gtest.h>

#include "tests/support/script_bytes.h"
#include "tests/support/story_bench.h"

namespace game::check {
namespace {

// Heat on the first page, off on the second, which arms a trap to @x; the third page ends the
// story; @x is read only after the special move's answer; @island on no way at all.
const std::string kStory =
    "#heatOn\nA\n\n#heatOff\nB\n#trap @x\n\nC\n#end\n@x\nD\n@lost\nE\n#end\n@island\nF\n";

WarpPlan Plan(const std::string& story, const std::string& target,
              Language language = Language::kEnglish) {
  testing::StoryBench bench;
  if (!story.empty()) bench.Write(story);
  bench.decoder.brackets = false;  // labels and lines in ASCII read the same in Shift-JIS and UTF-8
  return PlanWarp(bench.files, bench.decoder, target, language);
}

TEST(PlanWarp, StartsAtTheTargetWithTheFlagsOfTheShortestWayThere) {
  const struct {
    const char* target;
    int entry;
    StoryFlags flags;
  } cases[] = {
      {"2", 1, {.heat_on = true}},  // after the #heatOn the first press reads
      {"4", 3, {.heat_on = true}},  // the #heatOff itself is not read yet
      {"5", 4, {}},
      {"7", 6, {.trap_armed = true, .trap_label = "@x"}},  // read right after the #trap
      {"@x", 9, {}},                                       // only through the answer
      {"1", 0, {}},
  };
  for (const auto& c : cases) {
    const WarpPlan plan = Plan(kStory, c.target);
    EXPECT_EQ(plan.entry, c.entry) << c.target;
    EXPECT_EQ(plan.flags, c.flags) << c.target;
    EXPECT_EQ(plan.refusal, "") << c.target;
    EXPECT_EQ(plan.warning, "") << c.target;
  }
}

TEST(PlanWarp, ATargetNoWayReadsStartsWithTheFlagsOffAndAWarning) {
  const WarpPlan plan = Plan("#heatOn\nA\n#end\n@island\n#heatOn\nF\n", "6");
  EXPECT_EQ(plan.entry, 5);
  EXPECT_EQ(plan.flags, StoryFlags{});
  EXPECT_EQ(plan.warning,
            "--warp 6: no way through the story reads dat/story.txt:6, so the heat, the trap and "
            "the end start off");
}

TEST(PlanWarp, RefusesATargetThatNamesNoPlaceInTheStory) {
  const struct {
    const char* target;
    const char* refusal;
  } cases[] = {
      {"@nowhere", "--warp @nowhere: there is no label @nowhere in dat/story.txt"},
      {"@X", "--warp @X: there is no label @X in dat/story.txt"},  // case matters
      {"0", "--warp 0: there is no line 0 in dat/story.txt, which has 16 lines"},
      {"17", "--warp 17: there is no line 17 in dat/story.txt, which has 16 lines"},
      {"99999999999",
       "--warp 99999999999: there is no line 99999999999 in dat/story.txt, "
       "which has 16 lines"},
      {"x", "--warp x: \"x\" is neither a label (@name) nor a line number"},
      {"-3", "--warp -3: \"-3\" is neither a label (@name) nor a line number"},
      {"", "--warp : \"\" is neither a label (@name) nor a line number"},
  };
  for (const auto& c : cases) {
    const WarpPlan plan = Plan(kStory, c.target);
    EXPECT_EQ(plan.entry, -1) << c.target;
    EXPECT_EQ(plan.refusal, c.refusal) << c.target;
  }
}

TEST(PlanWarp, SpeaksJapaneseWhenAsked) {
  constexpr Language ja = Language::kJapanese;
  EXPECT_EQ(Plan(kStory, "@nowhere", ja).refusal,
            "--warp @nowhere: dat/story.txt にラベル @nowhere はありません");
  EXPECT_EQ(Plan(kStory, "17", ja).refusal,
            "--warp 17: dat/story.txt に 17 行目はありません (全 16 行)");
  EXPECT_EQ(Plan(kStory, "x", ja).refusal,
            "--warp x: 「x」はラベル (@name) でも行番号でもありません");
  EXPECT_EQ(
      Plan("", "1", ja).refusal,
      "--warp 1: dat/story.txt を読み込めません: 『dat/story.txt』が見つかりません。終了します。");
  EXPECT_EQ(Plan("#heatOn\nA\n#end\n@island\nF\n", "5", ja).warning,
            "--warp 5: dat/story.txt:5 "
            "まで読み進む道筋がないので、頬の赤み・罠・終わりはすべてオフで始まります");
}

TEST(PlanWarp, RefusesAStoryThatDoesNotLoad) {
  EXPECT_EQ(
      Plan("", "1").refusal,
      "--warp 1: dat/story.txt does not load: 『dat/story.txt』が見つかりません。終了します。");
  EXPECT_EQ(Plan(testing::RepeatedLines(MyScript::kTableSize, "x"), "1").refusal,
            "--warp 1: dat/story.txt does not load: 範囲チェックエラー.");
}

}  // namespace
}  // namespace game::check
