#include "rules/story/unit_story.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <vector>

#include "rules/contracts/app_error.h"
#include "rules/fakes/fakes.h"
#include "tests/support/error_text.h"
#include "tests/support/story_bench.h"

namespace game {
namespace {

using testing::Page;
using Sounds = std::vector<fakes::PlayedSound>;
using Messages = std::vector<fakes::ShownMessage>;

const std::string kRangeError = "範囲チェックエラー";
const Page kAnswerPage(std::begin(UnitStory::kAnswerLines), std::end(UnitStory::kAnswerLines));
const fakes::PlayedSound kRising{UnitStory::kRisingSound, false};
const fakes::PlayedSound kMiss{UnitStory::kMissSound, false};
const StoryFlags kHotTrap{.heat_on = true, .trap_armed = true, .trap_label = "@x"};

class UnitStoryTest : public ::testing::Test, public testing::StoryBench {
 protected:
  fakes::FakeSoundOutput speaker;
  MyWave wave{speaker};
  std::int32_t portrait = 3;
};

// What a press must leave. Only what a row states is checked; `error` always is (nothing: the
// press throws nothing).
struct Expect {
  std::optional<std::string> error;
  std::optional<Page> page;
  std::optional<bool> answered;  // what the special move's answer returned
  std::optional<bool> heat_on, end_pending;
  std::optional<int> ends;  // how often the program was asked to end
  std::optional<bool> trap_armed;
  std::optional<std::string> trap_label;
  std::optional<int> cursor, portrait;
  std::optional<Sounds> sounds;  // every sound played so far
  std::optional<Messages> messages;
  std::optional<StoryFlags> flags;
};

// A player's press, loading a script or putting the flags back as a tool does; done `times`
// times, checked after each.
struct Press {
  enum Kind { kLoad, kNext, kSpecial, kRestore } kind;
  std::vector<std::string> lines;  // kLoad: the script
  Expect expect;
  int times = 1;
  StoryFlags flags = {};  // kRestore: the flags put back
};

Press Load(std::vector<std::string> lines, Expect e = {}) { return {Press::kLoad, lines, e}; }
Press Next(Expect e = {}, int times = 1) { return {Press::kNext, {}, e, times}; }
Press Special(Expect e = {}, int times = 1) { return {Press::kSpecial, {}, e, times}; }
Press Restore(StoryFlags flags) { return {Press::kRestore, {}, {}, 1, flags}; }

struct StoryCase {
  const char* name;
  std::vector<Press> presses;
};

void PrintTo(const StoryCase& c, std::ostream* out) { *out << c.name; }

// The one message a jump cycle shows, naming the label as decoded.
Messages CycleReport(const std::string& label) {
  return {
      {"error", "「" + label + "」へのジャンプが堂々巡りになっていて、表示する文がありません。"}};
}

// Jumps to the bottom, then back to the top: every entry but the text and the end is read once
// before the text shows.
std::vector<std::string> LongestWalk() {
  std::vector<std::string> lines = {"#goto @bottom", "@top"};
  lines.insert(lines.end(), 5000, "#heatOn");
  lines.insert(lines.end(), {"last", "#end", "@bottom"});
  lines.insert(lines.end(), 4990, "#heatOff");
  lines.push_back("#goto @top");
  return lines;
}

const StoryCase kStoryCases[] = {
    {"BlankLinesAndLabelsBreakPagesAndTheEndEndsTheProgram",
     {Load({"A", "B", "", "C"}), Next({.page = Page{"A", "B"}}),
      Next({.page = Page{"C"}, .end_pending = true, .ends = 0}), Next({.ends = 1})}},
    {"EndAfterTextWaitsForTheNextPress",
     {Load({"A", "#end"}), Next({.page = Page{"A"}, .ends = 0}), Next({.ends = 1})}},
    {"EndBeforeTextEndsAtOnce", {Load({"#end"}), Next({.page = Page{}, .ends = 1})}},
    {"APageHoldsFiveLinesAndTheSixthStartsTheNextPage",
     {Load({"1", "2", "3", "4", "5", "6"}),
      Next({.page = Page{"1", "2", "3", "4", "5"}, .end_pending = false}),
      Next({.page = Page{"6"}, .end_pending = true}), Next({.ends = 1})}},
    {"HeatLastsFromOnToOff",
     {Load({"#heatOn", "A", "", "#heatOff", "B"}), Next({.heat_on = true}),
      Next({.page = Page{"B"}, .heat_on = false})}},
    {"JumpsGoBackAndForwardAndAMissingLabelReadsOn",
     {Load({"@x", "A", "", "#goto @x"}), Next({.page = Page{"A"}, .ends = 0}, 4),
      Load({"#goto @later", "skipped", "@later", "B", "#goto @nowhere", "C"}),
      Next({.page = Page{"B", "C"}})}},
    {"NotextEndsAnEmptyPageAtTheNextBreak",
     {Load({"#notext", "", "A"}), Next({.page = Page{}, .ends = 0}),
      Next({.page = Page{"A"}, .end_pending = true})}},
    // "#ＥＮＤ" in full-width letters is no command.
    {"CommandsFoldAsciiCaseOnlyAndOtherHashLinesAreText",
     {Load({"#hello", "#HeatON", "#ENDx", "\x81\x94\x82\x64\x82\x6d\x82\x63", "", "#END", "never"}),
      Next({.page = Page{"#hello", "#ENDx", "\x81\x94\x82\x64\x82\x6d\x82\x63"}, .heat_on = true}),
      Next({.ends = 1})}},
    {"BlankOnlyLinesAreTextThatTakesAPlace",
     {Load({"   ", "\x81\x40\x81\x40", "A", "B", "C", "D"}),
      Next({.page = Page{"   ", "\x81\x40\x81\x40", "A", "B", "C"}})}},
    {"ATrapLastsForThePageItWasArmedOn",
     {Load({"#trap @x", "A", "", "B", "", "@x", "C"}),
      Next({.trap_armed = true, .trap_label = "@x"}),
      Next({.trap_armed = false, .trap_label = "@x"})}},
    // The lines already added stay, and the next press reads on after the long line.
    {"ALineOfTooManyWordsStopsTheStepKeepingWhatWasAdded",
     {Load({"A", "1 2 3 4 5 6 7 8 9 10 11 12", "B", "", "C"}),
      Next({.error = kRangeError, .page = Page{"A"}}), Next({.page = Page{"B"}}),
      Next({.page = Page{"C"}})}},
    {"AFailedLoadEndsTheProgramAtTheFirstPress",
     {Load({"a // b // c // d // e // f // g // h // i // j // k // l // m // n // o // p // q"},
           {.error = kRangeError}),
      Next({.ends = 1})}},
    {"AJumpCycleWithoutTextIsReportedInsteadOfHanging",
     {Load({"A", "", "@loop", "#heatOn", "#goto @back", "@back", "#goto @loop"}),
      Next({.page = Page{"A"}}),
      Next({.ends = 0, .messages = CycleReport("[@loop]")})}},  // the label decoded
    {"ACycleReportNamesTheJumpThatClosesItNotAJumpThatWentNowhere",
     {Load({"@a", "#goto @zz", "", "#goto @a"}), Next({.messages = CycleReport("[@a]")})}},
    // The cycle bound must not cut the longest walk without a cycle off.
    {"TheLongestLegitimateWalkIsNoCycle",
     {Load(LongestWalk()), Next({.page = Page{"last"}, .heat_on = true, .messages = Messages{}})}},
    // The special move's answer.
    {"WithoutATrapTheAnswerOnlyMisses",
     {Load({"A", "", "B"}), Next(), Special({.answered = false}, 6),
      Special({.page = Page{"A"},
               .answered = false,
               .cursor = 2,
               .portrait = 3,
               .sounds = Sounds(7, kMiss)})}},
    {"AnAnsweredTrapJumpsShowsTheExclamationAndResetsThePortrait",
     {Load({"#trap @x", "A", "", "B", "", "@x", "C"}), Next(),
      Special({.page = kAnswerPage,
               .answered = true,
               .trap_armed = false,
               .portrait = 0,
               .sounds = Sounds{kRising}}),
      // The same page again: disarmed.
      Special({.answered = false, .sounds = Sounds{kRising, kMiss}}), Next({.page = Page{"C"}})}},
    {"ATrapLeftBehindIsAMiss",
     {Load({"#trap @x", "A", "", "B", "", "@x", "C"}), Next(), Next(),
      Special({.page = Page{"B"}, .answered = false, .sounds = Sounds{kMiss}})}},
    {"ATrapOnTheLastPageIsAnsweredButTheNextPressEnds",
     {Load({"@x", "C", "", "#trap @x", "A"}), Next(), Next({.end_pending = true}),
      Special({.page = kAnswerPage, .cursor = 0}), Next({.ends = 1})}},
    {"ATrapWhoseArgumentIsNoLabelAnswersWithoutMoving",
     {Load({"#trap nowhere", "A", "", "B"}), Next({.cursor = 3}),
      Special({.page = kAnswerPage,
               .answered = true,
               .cursor = 3,
               .portrait = 0,
               .sounds = Sounds{kRising}})}},
    // What a tool reads and puts back decides the next presses: a trap answered or missed, heat.
    {"FlagsPutBackBringBackWhatTheNextPressesDo",
     {Load({"#heatOn", "#trap @x", "A", "", "B", "@x", "C"}), Next({.flags = kHotTrap}),
      Restore({}), Special({.sounds = Sounds{kMiss}}), Restore(kHotTrap),
      Special({.sounds = Sounds{kMiss, kRising}}), Next({.page = Page{"C"}, .heat_on = true})}},
};

class UnitStoryPressTest : public UnitStoryTest, public ::testing::WithParamInterface<StoryCase> {
 protected:
  // Does the press; for the special move, what its answer returned.
  std::optional<bool> Do(const Press& press) {
    if (press.kind == Press::kSpecial) return story.TrapResponse(wave, portrait);
    if (press.kind == Press::kRestore) story.RestoreFlags(press.flags);
    if (press.kind == Press::kLoad) Load(press.lines);
    if (press.kind == Press::kNext) story.StepStory();
    return std::nullopt;
  }

  template <typename T, typename Got>
  static void ExpectIfStated(const std::optional<T>& want, const Got& got, const char* what) {
    if (want) {
      EXPECT_EQ(got, *want) << what;
    }
  }

  void Check(const Expect& want, const std::optional<bool>& answered) {
    ExpectIfStated(want.page, Shown(), "the page");
    ExpectIfStated(want.answered, answered, "the answer");
    ExpectIfStated(want.heat_on, story.HeatOn(), "heat");
    ExpectIfStated(want.end_pending, story.EndPending(), "the end pending");
    ExpectIfStated(want.ends, termination.requests, "requests to end");
    ExpectIfStated(want.trap_armed, story.TrapArmed(), "the trap armed");
    ExpectIfStated(want.trap_label, story.TrapLabel(), "the trap's label");
    ExpectIfStated(want.cursor, script.ScriptCursor(), "the script's cursor");
    ExpectIfStated(want.portrait, portrait, "the portrait");
    ExpectIfStated(want.sounds, speaker.played, "the sounds played");
    ExpectIfStated(want.messages, boxes.shown, "the messages shown");
    ExpectIfStated(want.flags, story.Flags(), "the flags");
  }
};

TEST_P(UnitStoryPressTest, LeavesWhatEachPressShould) {
  static constexpr const char* kKindNames[] = {"load", "Next", "special move", "flags put back"};
  int number = 0;
  for (const Press& press : GetParam().presses) {
    for (int i = 0; i < press.times; ++i) {
      SCOPED_TRACE(::testing::Message()
                   << "step " << ++number << " (" << kKindNames[press.kind] << ")");
      std::optional<bool> answered;
      EXPECT_EQ(testing::ErrorText([&] { answered = Do(press); }), press.expect.error);
      Check(press.expect, answered);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Story, UnitStoryPressTest, ::testing::ValuesIn(kStoryCases),
                         [](const auto& info) { return std::string(info.param.name); });

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

TEST_F(UnitStoryTest, AddPageLineRefusesASixthLine) {
  for (int i = 0; i < 6; ++i) story.AddPageLine(std::to_string(i));
  EXPECT_EQ(Shown(), (Page{"0", "1", "2", "3", "4"}));
  EXPECT_EQ(boxes.shown, (Messages{{"error", "text line over(max: 3)"}}));
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

}  // namespace
}  // namespace game
