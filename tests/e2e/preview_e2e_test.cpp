// The author's preview in the real game: --warp starts at a label or a line, --watch reads each
// save anew. Pages are told apart as a player sees them: by how many text lines the picture shows.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QThread>

#include "tests/support/game_folder.h"
#include "tests/support/screen_checks.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

// Pages of one, two and three lines; the third after a label.
const QByteArray kStory = "A1\n\nB1\nB2\n\n@third\nC1\nC2\nC3\n";

// How many of the page's five text rows show black text.
int ShownLines(const QImage& shot, const QRect& client) {
  int lines = 0;
  while (lines < 5 && DarkPixels(shot, client, TextRow(lines)) > 20) ++lines;
  return lines;
}

class PreviewEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    ASSERT_TRUE(folder.Valid());
    folder.WriteFrames(QColor(120, 160, 220));
    folder.WriteStory(kStory);
  }

  // Presses ＞次へ and waits for a page of `lines` lines; the lines it saw last.
  int PressNextExpecting(GameProcess& game, int lines) {
    game.Click(452, 244);
    const QRect client = game.ClientRect();
    return ShownLines(
        game.WaitForScreen([&](const QImage& s) { return ShownLines(s, client) == lines; }, 5000),
        client);
  }

  // Saves the story as editors that write a new file and rename it over the old one do.
  void SaveByRename(const QByteArray& bytes) {
    QFile file(folder.Path() + "/dat/story.txt.new");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    ASSERT_TRUE(QDir(folder.Path()).rename("dat/story.txt.new", "dat/story.txt") ||
                (QFile::remove(folder.Path() + "/dat/story.txt") &&
                 QDir(folder.Path()).rename("dat/story.txt.new", "dat/story.txt")));
  }

  // Waits until the game's standard error holds `count` times `text`; all of it.
  QString WaitForError(const QString& text, int count = 1) {
    QString all;
    for (int waited = 0; waited < 5000; waited += 50) {
      QFile file(errors);
      if (file.open(QIODevice::ReadOnly)) all = QString::fromUtf8(file.readAll());
      if (all.count(text) >= count) return all;
      QThread::msleep(50);
    }
    return all;
  }

  XSession x;
  GameFolder folder;
  TempDir error_dir;
  QString errors = QString::fromStdString(error_dir / "stderr.txt");
};

TEST_F(PreviewEndToEnd, WarpToALabelOrALineShowsItsPageOnTheFirstPress) {
  const struct {
    const char* target;
    int lines;
  } cases[] = {{"@third", 3}, {"3", 2}, {"7", 3}};
  for (const auto& c : cases) {
    GameProcess game(x, folder.Path(), {}, {}, {}, {"--warp", c.target});
    ASSERT_FALSE(game.WaitForWindow().isEmpty()) << c.target << game.Output().toStdString();
    EXPECT_EQ(PressNextExpecting(game, c.lines), c.lines) << c.target;
  }
}

TEST_F(PreviewEndToEnd, AWarpToNoPlaceInTheStoryExitsWithStatusTwoBeforeAnyWindow) {
  // No X server at this display: a program that opened a window would fail another way.
  QProcessEnvironment nowhere;
  nowhere.insert("DISPLAY", ":4095");
  const struct {
    const char* target;
    const char* named;
  } cases[] = {{"@nowhere", "@nowhere"}, {"10", "line 10"}};
  for (const auto& c : cases) {
    GameProcess game(x, folder.Path(), nowhere, {}, {}, {"--warp", c.target});
    EXPECT_EQ(game.WaitForExit(5000), std::optional<int>(2)) << c.target;
    const QString output = game.Output();
    EXPECT_TRUE(output.contains(c.named)) << output.toStdString();
    EXPECT_EQ(output.count('\n'), 1) << output.toStdString();
  }
}

TEST_F(PreviewEndToEnd, WatchReadsEachSaveAnewAndTheGameGoesOnWhateverItHolds) {
  GameProcess game(x, folder.Path(), {}, {}, errors, {"--watch"});
  ASSERT_FALSE(game.WaitForWindow().isEmpty());
  ASSERT_EQ(PressNextExpecting(game, 1), 1);

  // The next page, B1 B2, is written anew with three lines: the next press shows them.
  SaveByRename("A1\n\nN1\nN2\nN3\n\n@third\nC1\nC2\nC3\n");
  EXPECT_TRUE(WaitForError("read anew: 0 errors").contains("reads on from line 3"));
  EXPECT_EQ(PressNextExpecting(game, 3), 3);

  // A jump to a label that does not exist is reported in the compiler format; play goes on.
  SaveByRename("A1\n\nN1\nN2\nN3\n\n@third\nC1\n#goto @nowhere\n");
  const QString reported = WaitForError("read anew:", 2);
  EXPECT_TRUE(reported.contains("dat/story.txt:9:7: error: ")) << reported.toStdString();
  EXPECT_EQ(PressNextExpecting(game, 1), 1);  // C1, and the story's end is pending

  // A story that no longer loads leaves the one before playing, with the reason on stderr.
  ASSERT_TRUE(QFile::remove(folder.Path() + "/dat/story.txt"));
  EXPECT_TRUE(WaitForError("does not load").contains("dat/story.txt"));
  EXPECT_TRUE(game.Running());
  game.Click(452, 244);  // past the old story's end: the game ends as the story says
  EXPECT_EQ(game.WaitForExit(3000), std::optional<int>(0));
}

TEST_F(PreviewEndToEnd, AFrameMissingAtStartUpAndPutBackWhileWatchedLetsPlayStartAtPageOne) {
  ASSERT_TRUE(QFile::remove(folder.Path() + "/dat/a3.bmp"));
  GameProcess game(x, folder.Path(), {}, {}, errors, {"--watch"});
  // The start-up's error report comes first, then the window.
  const QString report = game.WaitForWindow();
  ASSERT_FALSE(report.isEmpty()) << game.Output().toStdString();
  x.Run("xdotool", {"windowactivate", "--sync", report});
  game.Key("Return");
  for (int waited = 0; waited < 10000; waited += 100) {
    if (!game.WaitForWindow(100).isEmpty() && game.ClientRect().size() == QSize(500, 300)) break;
  }
  ASSERT_EQ(game.ClientRect().size(), QSize(500, 300)) << game.Output().toStdString();

  folder.WriteFrame(3, QColor(120, 160, 220), BmpEncoding::kRgb24);
  EXPECT_TRUE(WaitForError("went on").contains("start-up"));
  // The story was loaded: the first press shows its first page instead of ending the game.
  EXPECT_EQ(PressNextExpecting(game, 1), 1);
  EXPECT_TRUE(game.Running());
}

}  // namespace
}  // namespace game::testing
