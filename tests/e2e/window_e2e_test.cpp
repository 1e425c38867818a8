// The real game in a real X server: its window, its buttons and how it ends.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QThread>

#include "tests/support/game_folder.h"
#include "tests/support/screen_checks.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

class WindowEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    ASSERT_TRUE(folder.Valid());
    folder.WriteFrames(QColor(120, 160, 220));
  }

  // Starts the game without a story file (or with a named pipe in its place), expects the
  // "MyScript" box, closes it and expects the program to end with status 0.
  void ExpectMissingStoryBox(bool pipe);

  XSession x;
  GameFolder folder;
};

TEST_F(WindowEndToEnd, OpensCentredWithItsButtonsAndEndsWithStatusZeroWhenClosed) {
  folder.WriteStory("A\n");
  GameProcess game(x, folder.Path());
  ASSERT_FALSE(game.WaitForWindow().isEmpty()) << game.Output().toStdString();
  const QRect client = game.ClientRect();
  EXPECT_EQ(client.size(), QSize(500, 300));

  // The outer frame is centred: the frame extents come from the window manager.
  const QStringList extents = x.Run("xprop", {"-id", game.WaitForWindow(), "_NET_FRAME_EXTENTS"})
                                  .section('=', 1)
                                  .split(',', Qt::SkipEmptyParts);
  ASSERT_EQ(extents.size(), 4);
  const int left = extents[0].toInt(), right = extents[1].toInt();
  const int top = extents[2].toInt(), bottom = extents[3].toInt();
  EXPECT_EQ(client.x() - left, (1024 - (500 + left + right)) / 2);
  EXPECT_EQ(client.y() - top, (768 - (300 + top + bottom)) / 2);

  // Both buttons are drawn at (416, 232) and (416, 264), 73 by 25, over the picture.
  const QImage shot =
      game.WaitForScreen([&](const QImage& s) { return LooksLikeButton(s, client, 421, 244); });
  for (const int y : {244, 276}) {
    EXPECT_TRUE(LooksLikeButton(shot, client, 421, y)) << y;
    EXPECT_FALSE(LooksLikeButton(shot, client, 405, y)) << y;  // left of the buttons
  }

  // Alt and F10 are swallowed; the window manager's close request ends the program.
  game.Key("F10");
  game.Key("Alt_L");
  EXPECT_TRUE(game.Running());
  EXPECT_EQ(game.CloseFromWindowManager(), std::optional<int>(0));
}

TEST_F(WindowEndToEnd, NextPagesThroughTheStoryAndItsEndEndsTheProgram) {
  folder.WriteStory("first page\n\nsecond page\n");
  GameProcess game(x, folder.Path());
  ASSERT_FALSE(game.WaitForWindow().isEmpty()) << game.Output().toStdString();
  for (int press = 0; press < 2; ++press) {
    game.Click(452, 244);
    EXPECT_FALSE(game.WaitForExit(300).has_value()) << "ended after press " << press + 1;
  }
  game.Click(452, 244);
  EXPECT_EQ(game.WaitForExit(3000), std::optional<int>(0));
}

TEST_F(WindowEndToEnd, ReturnAndKeypadEnterPressTheFocusedButtonOnceEach) {
  folder.WriteStory("first page\n\nsecond page\n");
  GameProcess game(x, folder.Path());
  ASSERT_FALSE(game.WaitForWindow().isEmpty()) << game.Output().toStdString();
  const QRect client = game.ClientRect();
  x.Run("xdotool", {"windowactivate", "--sync", game.WaitForWindow()});
  game.Key("Return");  // Next has the focus from the start
  const QImage shot =
      game.WaitForScreen([&](const QImage& s) { return DarkPixels(s, client, TextRow(0)) > 20; });
  EXPECT_GT(DarkPixels(shot, client, TextRow(0)), 20);
  game.Key("KP_Enter");
  EXPECT_FALSE(game.WaitForExit(300).has_value()) << "a key pressed Next twice";
  game.Key("Return");  // the story has run out
  EXPECT_EQ(game.WaitForExit(3000), std::optional<int>(0));
}

// A story that is not there, and a named pipe in its place that nobody writes to: both are the
// missing story, and neither may keep the game from starting.
TEST_F(WindowEndToEnd, AMissingStoryIsReportedAndClosingTheMessageEndsTheProgram) {
  for (const bool pipe : {false, true}) {
    SCOPED_TRACE(pipe ? "a named pipe" : "no file");
    ExpectMissingStoryBox(pipe);
  }
}

void WindowEndToEnd::ExpectMissingStoryBox(bool pipe) {
  const QString story = folder.Path() + "/dat/story.txt";
  QFile::remove(story);
  if (pipe) {
    ASSERT_EQ(mkfifo(story.toLocal8Bit().constData(), 0600), 0);
  }
  GameProcess game(x, folder.Path());
  QString box;
  for (int waited = 0; waited < 10000 && box.isEmpty(); waited += 100) {
    box = x.Run("xdotool", {"search", "--onlyvisible", "--name", "^MyScript$"}).trimmed();
    if (box.isEmpty()) QThread::msleep(100);
  }
  ASSERT_FALSE(box.isEmpty()) << game.Output().toStdString();
  x.Run("xdotool", {"windowactivate", "--sync", box});
  game.Key("Return");
  EXPECT_EQ(game.WaitForExit(3000), std::optional<int>(0));
}

}  // namespace
}  // namespace game::testing
