// Makes docs/screenshot.png for the README: the real game on the bundled dat/, paged with Next to
// the first page where Rim blushes. Run it by hand:
//   ./build/e2e_tests --gtest_also_run_disabled_tests --gtest_filter='*ReadmeScreenshot*'
#include <gtest/gtest.h>

#include <QThread>
#include <filesystem>

#include "platform/posix/folder_file_system.h"
#include "rules/fakes/fakes.h"
#include "rules/script/my_script.h"
#include "rules/story/unit_story.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

using fakes::FakeMessageBoxes;
using fakes::FakeTermination;
using fakes::FakeTextDecoder;
using fakes::FolderFileSystem;

// How many Next presses bring the bundled story to its first page with heat, passing every trap.
int PressesToFirstBlush() {
  FakeMessageBoxes boxes;
  FakeTermination termination;
  FolderFileSystem files(GAME_SOURCE_DIR);
  FakeTextDecoder decoder;
  MyScript script(files, boxes, termination);
  UnitStory story(script, boxes, termination, decoder);
  story.LoadStory();
  for (int presses = 1; presses < 200 && !termination.Terminated(); ++presses) {
    story.StepStory();
    if (story.HeatOn()) return presses;
  }
  return -1;
}

TEST(ReadmeScreenshot, DISABLED_ShowsAPageWithTextAndHeat) {
  XSession x;
  ASSERT_TRUE(x.Ready());
  const int presses = PressesToFirstBlush();
  ASSERT_GT(presses, 0);
  GameProcess game(x, GAME_SOURCE_DIR);
  ASSERT_FALSE(game.WaitForWindow().isEmpty());
  for (int i = 0; i < presses; ++i) {
    game.Click(452, 244);
    QThread::msleep(150);
  }
  QThread::msleep(300);
  QRect frame = game.ClientRect().adjusted(-1, -20, 1, 1);  // with openbox's title bar
  ASSERT_TRUE(x.Screenshot().copy(frame).save(GAME_SOURCE_DIR "/docs/screenshot.png"));
}

}  // namespace
}  // namespace game::testing
