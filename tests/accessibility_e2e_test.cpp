// The real game as a screen reader finds it on the accessibility bus: the page the picture holds
// after each press, the event that makes a reader speak it, and the special move's name counting
// down. tests/a11y/page_reader.py reads the bus with pyatspi inside a private session bus, with
// assistive technology switched on the way a screen reader does it.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "game_folder.h"
#include "x_session.h"

namespace game::testing {
namespace {

// A page that arms a trap (こんにちは / Hello, Rim), then after the label an empty page and "C".
const QByteArray kStory(
    "#trap @x\n\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\nHello, Rim\n\n@x\n#notext\n\nC\n");

// The event a screen reader speaks a new page on: the picture, a notification, shown anew.
constexpr char kPageShown[] = R"(["object:state-changed:showing", "notification")";

TEST(AccessibilityEndToEnd, ThePictureReadsEachPageAloudAndTheSpecialMoveCountsDown) {
  XSession x;
  if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
  GameFolder folder;
  folder.WriteFrames(QColor(120, 160, 220));
  folder.WriteStory(kStory);

  const struct {
    const char* press;
    const char* page;
    int uses_left;
    bool announced;
  } steps[] = {{"", "（文章なし）", 7, false},
               {"next", "こんにちは\nHello, Rim", 7, true},
               {"special", "ルクサリム大発動！\nわたしの思考が飛躍したー♪", 6, true},
               {"next", "（文章なし）", 6, true},
               {"next", "C", 6, true},
               {"special", "C", 5, false}};  // a miss: the page stays and is not read again
  QStringList args = {"--", "/usr/bin/python3", GAME_SOURCE_DIR "/tests/a11y/page_reader.py",
                      GAME_EXE, folder.Path()};
  for (const auto& step : steps) {
    if (*step.press != '\0') args << step.press;
  }
  QProcess reader;
  QProcessEnvironment env = x.Environment();
  env.insert("SDL_AUDIODRIVER", "dummy");
  env.remove("AT_SPI_BUS_ADDRESS");
  reader.setProcessEnvironment(env);
  reader.start("dbus-run-session", args);
  ASSERT_TRUE(reader.waitForFinished(120000));
  const std::string err = reader.readAllStandardError().toStdString();
  QList<QByteArray> lines;  // the reader's lines, without what the bus's services print
  for (const QByteArray& line : reader.readAllStandardOutput().split('\n')) {
    if (line.startsWith('{')) lines << line;
  }
  ASSERT_EQ(reader.exitCode(), 0) << err;
  ASSERT_GE(lines.size(), std::size(steps)) << err;

  for (std::size_t i = 0; i < std::size(steps); ++i) {
    const QJsonObject read = QJsonDocument::fromJson(lines[i]).object();
    SCOPED_TRACE(lines[i].toStdString());
    EXPECT_EQ(read["page"].toString().toStdString(), steps[i].page);
    EXPECT_EQ(read["special"].toString().toStdString(),
              QString("必殺技ルクサリム（残り%1回）").arg(steps[i].uses_left).toStdString());
    EXPECT_EQ(lines[i].contains(kPageShown), steps[i].announced);
  }
}

}  // namespace
}  // namespace game::testing
