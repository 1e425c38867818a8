// The real game as a screen reader finds it on the accessibility bus: the page the picture holds
// after each press and the label that carries it to the braille line, the event that makes a
// reader speak it, what a miss says, and the special move's name counting down.
// tests/e2e/page_reader.py reads the bus with pyatspi inside a private session bus, with assistive
// technology switched on the way a screen reader does it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "tests/support/game_folder.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

// A page that arms a trap (こんにちは / Hello, Rim), then after the label an empty page and "C".
const QByteArray kStory(
    "#trap @x\n\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\nHello, Rim\n\n@x\n#notext\n\nC\n");

// What a screen reader presents after a press: the labels of the notifications shown anew.
QStringList Heard(const QJsonObject& read) {
  QStringList heard;
  for (const QJsonValue& event : read["events"].toArray()) {
    const QJsonArray fields = event.toArray();
    if (fields[0] == "object:state-changed:showing" && fields[1] == "notification") {
      heard << fields[2].toString();
    }
  }
  return heard;
}

TEST(AccessibilityEndToEnd, EachPageAndEachMissIsReadAloudAndTheSpecialMoveCountsDown) {
  XSession x;
  if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
  GameFolder folder;
  folder.WriteFrames(QColor(120, 160, 220));
  folder.WriteStory(kStory);

  // The picture's label is its page on one line, as the braille line shows it. A miss leaves the
  // page alone and is heard from the notice under the special move.
  const struct {
    const char* press;
    const char* page;
    const char* label;
    int uses_left;
    const char* notice;
    const char* heard;  // the labels of the notifications shown anew, joined by " | "
  } steps[] = {
      {"", "（文章なし）", "（文章なし）", 7, "", ""},
      {"next", "こんにちは\nHello, Rim", "こんにちは Hello, Rim", 7, "", "こんにちは Hello, Rim"},
      {"special", "ルクサリム大発動！\nわたしの思考が飛躍したー♪",
       "ルクサリム大発動！ わたしの思考が飛躍したー♪", 6, "",
       "ルクサリム大発動！ わたしの思考が飛躍したー♪"},
      {"next", "（文章なし）", "（文章なし）", 6, "", "（文章なし）"},
      {"next", "C", "C", 6, "", "C"},
      {"special", "C", "C", 5, "はずれ。残り5回", "はずれ。残り5回"}};
  QStringList args = {"--", "/usr/bin/python3", GAME_SOURCE_DIR "/tests/e2e/page_reader.py",
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
    EXPECT_EQ(read["label"].toString().toStdString(), steps[i].label);
    EXPECT_EQ(read["notice"].toString().toStdString(), steps[i].notice);
    EXPECT_EQ(read["special"].toString().toStdString(),
              QString("必殺技ルクサリム（残り%1回）").arg(steps[i].uses_left).toStdString());
    EXPECT_EQ(Heard(read).join(" | ").toStdString(), steps[i].heard);
  }
}

}  // namespace
}  // namespace game::testing
