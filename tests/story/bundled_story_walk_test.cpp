// Walks the bundled story as the game loads it (dat/story.txt from the game's folder), along
// every combination of answering or passing each trap, to the end.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/posix/folder_file_system.h"
#include "rules/fakes/fakes.h"
#include "rules/script/my_script.h"
#include "rules/sound/my_wave.h"
#include "rules/story/unit_story.h"

namespace game {
namespace {

struct Walk {
  int pages = 0;
  int traps_met = 0;  // trap pages met; answers follows the first answers.size() of them
  bool ended = false;
  std::vector<fakes::ShownMessage> messages;
};

// Plays the story pressing Next, and the special move on the n-th trap page when answers[n].
Walk Play(const std::vector<bool>& answers) {
  fakes::FakeMessageBoxes boxes;
  fakes::FakeTermination termination;
  fakes::FakeSoundOutput speaker;
  MyWave wave(speaker);
  fakes::FolderFileSystem files(GAME_SOURCE_DIR);
  fakes::FakeTextDecoder decoder;
  MyScript script(files, boxes, termination);
  UnitStory story(script, boxes, termination, decoder);
  std::int32_t portrait = 0;
  story.LoadStory();
  Walk walk;
  while (!termination.Terminated() && walk.pages < 500 && boxes.shown.empty()) {
    story.StepStory();
    ++walk.pages;
    if (!story.TrapArmed()) continue;
    const int trap = walk.traps_met++;
    if (trap < static_cast<int>(answers.size()) && answers[trap]) {
      story.TrapResponse(wave, portrait);
    }
  }
  walk.ended = termination.Terminated();
  walk.messages = boxes.shown;
  return walk;
}

TEST(BundledStory, EveryPathOfAnswersReachesTheEnd) {
  // Depth-first over the answers: each walk tells how many traps it met, and each trap it met
  // beyond the fixed answers is tried both ways.
  std::vector<std::vector<bool>> pending = {{}};
  int walks = 0;
  while (!pending.empty()) {
    const std::vector<bool> answers = pending.back();
    pending.pop_back();
    const Walk walk = Play(answers);
    ++walks;
    SCOPED_TRACE(::testing::Message() << "answers given: " << answers.size());
    EXPECT_TRUE(walk.ended) << "no end after " << walk.pages << " pages";
    EXPECT_TRUE(walk.messages.empty()) << walk.messages.front().text;
    EXPECT_GE(walk.pages, 10);
    EXPECT_LE(walk.traps_met, 7) << "more traps on one path than uses of the special move";
    if (walk.traps_met > static_cast<int>(answers.size())) {
      std::vector<bool> both = answers;
      both.push_back(false);
      pending.push_back(both);
      both.back() = true;
      pending.push_back(both);
    }
    ASSERT_LT(walks, 200);
  }
  EXPECT_GE(walks, 5) << "the story needs at least two traps, each answered and passed";
}

}  // namespace
}  // namespace game
