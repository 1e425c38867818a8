#include "rules/story/unit_story.h"

#include <gtest/gtest.h>

#include <vector>

#include "rules/contracts/app_error.h"
#include "rules/fakes/fakes.h"

namespace game {
namespace {

using Page = std::vector<std::string>;

class UnitStoryTest : public ::testing::Test {
 protected:
  // Loads `lines` (joined with LF) as the script.
  void Load(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\n";
    script.LoadFromBytes(bytes, false);
  }
  // One Next press; the page it leaves.
  Page Step() {
    story.StepStory();
    return Shown();
  }
  Page Shown() const {
    return Page(story.PageLines().begin(), story.PageLines().begin() + story.PageLineCount());
  }
  bool Ended() const { return termination.Terminated(); }

  fakes::FakeMessageBoxes boxes;
  fakes::FakeTermination termination;
  fakes::FakeSoundOutput speaker;
  MyWave wave{speaker};
  fakes::FakeFileSystem files;
  fakes::FakeTextDecoder decoder;
  MyScript script{files, boxes, termination};
  UnitStory story{script, boxes, termination, decoder};
  std::int32_t portrait = 3;
};

TEST_F(UnitStoryTest, BlankLinesAndLabelsBreakPagesAndTheEndEndsTheProgram) {
  Load({"A", "B", "", "C"});
  EXPECT_EQ(Step(), (Page{"A", "B"}));
  EXPECT_EQ(Step(), (Page{"C"}));
  EXPECT_TRUE(story.EndPending());
  EXPECT_FALSE(Ended());
  Step();
  EXPECT_TRUE(Ended());
}

TEST_F(UnitStoryTest, APageLineIsTheTablesOwnLineAndOutlivesAReload) {
  const std::string long_line(1 << 20, 'x');
  Load({"short", long_line, "", "next page"});
  ASSERT_EQ(Step(), (Page{"short", long_line}));
  // The same bytes as the table's entry, not a copy of them.
  EXPECT_EQ(story.PageLines()[1].data(), script.ScriptLine(1).data());
  EXPECT_EQ(story.PageLines()[0].data(), script.ScriptLine(0).data());
  // A new script replaces the table; the page still reads what it showed until the next step.
  Load({"other"});
  EXPECT_EQ(Shown(), (Page{"short", long_line}));
  EXPECT_EQ(Step(), (Page{"other"}));
}

TEST_F(UnitStoryTest, EndAfterTextWaitsForTheNextPressEndBeforeTextEndsAtOnce) {
  Load({"A", "#end"});
  EXPECT_EQ(Step(), (Page{"A"}));
  EXPECT_FALSE(Ended());
  Step();
  EXPECT_EQ(termination.requests, 1);

  UnitStoryTest::TearDown();
  fakes::FakeTermination alone;
  MyScript end_only{files, boxes, alone};
  end_only.LoadFromBytes("#end\n", false);
  UnitStory story_end{end_only, boxes, alone, decoder};
  story_end.StepStory();
  EXPECT_EQ(alone.requests, 1);
  EXPECT_EQ(story_end.PageLineCount(), 0);
}

TEST_F(UnitStoryTest, APageHoldsFiveLinesAndTheSixthStartsTheNextPage) {
  Load({"1", "2", "3", "4", "5", "6"});
  EXPECT_EQ(Step(), (Page{"1", "2", "3", "4", "5"}));
  EXPECT_FALSE(story.EndPending());
  EXPECT_EQ(Step(), (Page{"6"}));
  EXPECT_TRUE(story.EndPending());
  Step();
  EXPECT_TRUE(Ended());
}

TEST_F(UnitStoryTest, HeatLastsFromOnToOff) {
  Load({"#heatOn", "A", "", "#heatOff", "B"});
  Step();
  EXPECT_TRUE(story.HeatOn());
  EXPECT_EQ(Step(), (Page{"B"}));
  EXPECT_FALSE(story.HeatOn());
}

TEST_F(UnitStoryTest, JumpsGoBackAndForwardAndAMissingLabelReadsOn) {
  Load({"@x", "A", "", "#goto @x"});
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Step(), (Page{"A"})) << i;
  EXPECT_FALSE(Ended());

  Load({"#goto @later", "skipped", "@later", "B", "#goto @nowhere", "C"});
  EXPECT_EQ(Step(), (Page{"B", "C"}));
}

TEST_F(UnitStoryTest, NotextEndsAnEmptyPageAtTheNextBreak) {
  Load({"#notext", "", "A"});
  EXPECT_EQ(Step(), Page{});
  EXPECT_FALSE(Ended());
  EXPECT_EQ(Step(), (Page{"A"}));
  EXPECT_TRUE(story.EndPending());
}

TEST_F(UnitStoryTest, CommandsFoldAsciiCaseOnlyAndOtherHashLinesAreText) {
  // "#ＥＮＤ" in full-width letters is no command.
  Load({"#hello", "#HeatON", "#ENDx", "\x81\x94\x82\x64\x82\x6d\x82\x63", "", "#END", "never"});
  EXPECT_EQ(Step(), (Page{"#hello", "#ENDx", "\x81\x94\x82\x64\x82\x6d\x82\x63"}));
  EXPECT_TRUE(story.HeatOn());
  Step();
  EXPECT_TRUE(Ended());
}

TEST_F(UnitStoryTest, BlankOnlyLinesAreTextThatTakesAPlace) {
  Load({"   ", "\x81\x40\x81\x40", "A", "B", "C", "D"});
  EXPECT_EQ(Step(), (Page{"   ", "\x81\x40\x81\x40", "A", "B", "C"}));
}

TEST_F(UnitStoryTest, ATrapLastsForThePageItWasArmedOn) {
  Load({"#trap @x", "A", "", "B", "", "@x", "C"});
  Step();
  EXPECT_TRUE(story.TrapArmed());
  EXPECT_EQ(story.TrapLabel(), "@x");
  Step();
  EXPECT_FALSE(story.TrapArmed());
  EXPECT_EQ(story.TrapLabel(), "@x");
}

TEST_F(UnitStoryTest, ALineOfTooManyWordsStopsTheStepKeepingWhatWasAdded) {
  Load({"A", "1 2 3 4 5 6 7 8 9 10 11 12", "B", "", "C"});
  EXPECT_THROW(story.StepStory(), AppError);
  EXPECT_EQ(Shown(), (Page{"A"}));
  EXPECT_EQ(Step(), (Page{"B"}));
  EXPECT_EQ(Step(), (Page{"C"}));
}

TEST_F(UnitStoryTest, AFailedLoadEndsTheProgramAtTheFirstPress) {
  EXPECT_THROW(script.LoadFromBytes("a // b // c // d // e // f // g // h // i // j // k // l //"
                                    " m // n // o // p // q\n",
                                    false),
               AppError);
  Step();
  EXPECT_TRUE(Ended());
}

TEST_F(UnitStoryTest, AJumpCycleWithoutTextIsReportedInsteadOfHanging) {
  Load({"A", "", "@loop", "#heatOn", "#goto @back", "@back", "#goto @loop"});
  EXPECT_EQ(Step(), (Page{"A"}));
  Step();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].caption, "error");
  EXPECT_NE(boxes.shown[0].text.find("「[@loop]」"), std::string::npos);  // decoded
  EXPECT_FALSE(Ended());
}

TEST_F(UnitStoryTest, ACycleReportNamesTheJumpThatClosesItNotAJumpThatWentNowhere) {
  Load({"@a", "#goto @zz", "", "#goto @a"});
  Step();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text,
            "「[@a]」へのジャンプが堂々巡りになっていて、表示する文がありません。");
}

TEST_F(UnitStoryTest, TheLongestLegitimateWalkIsNoCycle) {
  // Jump to the bottom, then back to the top: every entry but the text and the end is read once
  // before the text shows, so the cycle bound must not cut this walk off.
  std::vector<std::string> lines = {"#goto @bottom", "@top"};
  lines.insert(lines.end(), 5000, "#heatOn");
  lines.insert(lines.end(), {"last", "#end", "@bottom"});
  lines.insert(lines.end(), 4990, "#heatOff");
  lines.push_back("#goto @top");
  Load(lines);
  EXPECT_EQ(Step(), (Page{"last"}));
  EXPECT_TRUE(story.HeatOn());
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(UnitStoryTest, AddPageLineRefusesASixthLine) {
  for (int i = 0; i < 6; ++i) story.AddPageLine(std::to_string(i));
  EXPECT_EQ(Shown(), (Page{"0", "1", "2", "3", "4"}));
  EXPECT_EQ(boxes.shown, (std::vector<fakes::ShownMessage>{{"error", "text line over(max: 3)"}}));
}

// The special move's answer.

TEST_F(UnitStoryTest, WithoutATrapTheAnswerOnlyMisses) {
  Load({"A", "", "B"});
  Step();
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(story.TrapResponse(wave, portrait));
  EXPECT_EQ(speaker.played, std::vector<fakes::PlayedSound>(7, {"dat/suka.wav", false}));
  EXPECT_EQ(Shown(), (Page{"A"}));
  EXPECT_EQ(script.ScriptCursor(), 2);
  EXPECT_EQ(portrait, 3);
}

TEST_F(UnitStoryTest, AnAnsweredTrapJumpsShowsTheExclamationAndResetsThePortrait) {
  Load({"#trap @x", "A", "", "B", "", "@x", "C"});
  Step();
  EXPECT_TRUE(story.TrapResponse(wave, portrait));
  EXPECT_EQ(speaker.played.back(), (fakes::PlayedSound{"dat/up.wav", false}));
  EXPECT_EQ(Shown(),
            (Page{"\x83\x8b\x83\x4e\x83\x54\x83\x8a\x83\x80\x91\xe5\x94\xad\x93\xae\x81\x49",
                  "\x82\xed\x82\xbd\x82\xb5\x82\xcc\x8e\x76\x8d\x6c\x82\xaa\x94\xf2\x96\xf4"
                  "\x82\xb5\x82\xbd\x81\x5b\x81\xf4"}));
  EXPECT_EQ(portrait, 0);
  EXPECT_FALSE(story.TrapArmed());

  EXPECT_FALSE(story.TrapResponse(wave, portrait));  // the same page again: disarmed
  EXPECT_EQ(speaker.played.back(), (fakes::PlayedSound{"dat/suka.wav", false}));
  EXPECT_EQ(Step(), (Page{"C"}));
}

TEST_F(UnitStoryTest, ATrapLeftBehindIsAMiss) {
  Load({"#trap @x", "A", "", "B", "", "@x", "C"});
  Step();
  Step();
  EXPECT_FALSE(story.TrapResponse(wave, portrait));
  EXPECT_EQ(speaker.played, (std::vector<fakes::PlayedSound>{{"dat/suka.wav", false}}));
  EXPECT_EQ(Shown(), (Page{"B"}));
}

TEST_F(UnitStoryTest, ATrapOnTheLastPageIsAnsweredButTheNextPressEnds) {
  Load({"@x", "C", "", "#trap @x", "A"});
  Step();
  Step();
  ASSERT_TRUE(story.EndPending());
  story.TrapResponse(wave, portrait);
  EXPECT_EQ(story.PageLineCount(), 2);
  EXPECT_EQ(script.ScriptCursor(), 0);
  Step();
  EXPECT_TRUE(Ended());
}

TEST_F(UnitStoryTest, ATrapWhoseArgumentIsNoLabelAnswersWithoutMoving) {
  Load({"#trap nowhere", "A", "", "B"});
  Step();
  const int cursor = script.ScriptCursor();
  EXPECT_TRUE(story.TrapResponse(wave, portrait));
  EXPECT_EQ(speaker.played.back().path, "dat/up.wav");
  EXPECT_EQ(story.PageLineCount(), 2);
  EXPECT_EQ(portrait, 0);
  EXPECT_EQ(script.ScriptCursor(), cursor);
}

TEST(ClassifyStoryLine, SaysWhatAStepDoesWithALine) {
  using K = StoryLineKind;
  const struct {
    std::string line;
    K kind;
    std::string argument;
  } cases[] = {
      {"", K::kBreak, ""},
      {"@x", K::kBreak, ""},
      {"#END", K::kEnd, ""},
      {"#goto @x", K::kGoto, "@x"},
      {"\t#Trap\x81\x40@y z", K::kTrap, "@y"},
      {"#heaton", K::kHeatOn, ""},
      {"#heatOff", K::kHeatOff, ""},
      {"#notext", K::kNoText, ""},
      {"#hello", K::kText, ""},
      {"  ", K::kText, ""},
  };
  for (const auto& c : cases) {
    WordArray words;
    EXPECT_EQ(ClassifyStoryLine(c.line, words), c.kind) << c.line;
    if (c.kind == K::kGoto || c.kind == K::kTrap) {
      EXPECT_EQ(words[1], c.argument) << c.line;
    }
  }
  WordArray words;
  EXPECT_THROW(ClassifyStoryLine("a b c d e f g h i j k l", words), AppError);
}

TEST_F(UnitStoryTest, FlagsPutBackBringBackWhatTheNextPressesDo) {
  Load({"#heatOn", "#trap @x", "A", "", "B", "@x", "C"});
  Step();
  const StoryFlags flags = story.Flags();
  EXPECT_EQ(flags, (StoryFlags{.heat_on = true, .trap_armed = true, .trap_label = "@x"}));
  story.RestoreFlags({});
  story.TrapResponse(wave, portrait);
  EXPECT_EQ(speaker.played.back().path, "dat/suka.wav");
  story.RestoreFlags(flags);
  story.TrapResponse(wave, portrait);
  EXPECT_EQ(speaker.played.back().path, "dat/up.wav");
  EXPECT_EQ(Step(), (Page{"C"}));
  EXPECT_TRUE(story.HeatOn());
}

}  // namespace
}  // namespace game
