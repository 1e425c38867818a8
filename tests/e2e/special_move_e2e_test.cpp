// The special move in the real game: answering a trap, missing, and running out of uses, with
// the sounds captured by SDL's disk audio driver.
#include <gtest/gtest.h>

#include <QFile>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <vector>

#include "tests/support/game_folder.h"
#include "tests/support/screen_checks.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

constexpr std::int16_t kRisingLevel = 9000;
constexpr std::int16_t kMissLevel = -7000;

class SpecialMoveEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    folder.WriteFrames(QColor(120, 160, 220));
    folder.WriteSounds(kRisingLevel, kMissLevel, 0.25);
    folder.WriteStory("#trap @x\nA\n\nB\n\n@x\nC\n\nD\n\nE\n");
    audio.insert("SDL_AUDIODRIVER", "disk");
    audio.insert("SDL_DISKAUDIOFILE", folder.Path() + "/out.raw");
  }

  // Whether the captured output holds a sample of `level`, waiting up to `timeout_ms` for it.
  bool Heard(std::int16_t level, int timeout_ms = 10000) const {
    for (int waited = 0;; waited += 100) {
      QFile out(folder.Path() + "/out.raw");
      if (out.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = out.readAll();
        std::vector<std::int16_t> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        if (std::find(samples.begin(), samples.end(), level) != samples.end()) return true;
      }
      if (waited >= timeout_ms) return false;
      QThread::msleep(100);
    }
  }

  XSession x;
  GameFolder folder;
  QProcessEnvironment audio;
};

// Whether the game has the sound library loaded: not before a sound is wanted.
bool LoadedSound(const GameProcess& game) {
  QFile maps(QString("/proc/%1/maps").arg(game.Pid()));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libSDL2_mixer");
}

TEST_F(SpecialMoveEndToEnd, AnswersATrapMissesElsewhereAndDisappearsAfterSevenUses) {
  GameProcess game(x, folder.Path(), audio);
  ASSERT_FALSE(game.WaitForWindow().isEmpty()) << game.Output().toStdString();
  const QRect client = game.ClientRect();
  auto rows_with_text = [&](int rows) {
    return [&, rows](const QImage& shot) {
      for (int row = 0; row < 5; ++row) {
        if ((DarkPixels(shot, client, TextRow(row)) > 20) != (row < rows)) return false;
      }
      return true;
    };
  };

  game.Click(452, 244);  // Next: "A", the trap armed
  EXPECT_TRUE(rows_with_text(1)(game.WaitForScreen(rows_with_text(1))));
  EXPECT_FALSE(LoadedSound(game));
  game.Click(452, 276);  // the special move answers: two lines, the rising sound
  EXPECT_TRUE(rows_with_text(2)(game.WaitForScreen(rows_with_text(2))));
  EXPECT_TRUE(Heard(kRisingLevel));
  EXPECT_FALSE(Heard(kMissLevel, 0));
  EXPECT_TRUE(LoadedSound(game));

  ASSERT_TRUE(game.Running()) << game.Output().toStdString();
  game.Click(452, 244);  // Next reads on after the label: "C"
  EXPECT_TRUE(rows_with_text(1)(game.WaitForScreen(rows_with_text(1))));
  game.Click(452, 276);  // no trap here: the miss sound
  EXPECT_TRUE(Heard(kMissLevel));

  for (int use = 3; use <= 7; ++use) game.Click(452, 276);
  const QImage gone = game.WaitForScreen(
      [&](const QImage& shot) { return !LooksLikeButton(shot, client, 421, 276); });
  EXPECT_FALSE(LooksLikeButton(gone, client, 421, 276));
  EXPECT_TRUE(LooksLikeButton(gone, client, 421, 244));  // Next is still there
  EXPECT_TRUE(game.Running()) << game.Output().toStdString();
}

}  // namespace
}  // namespace game::testing
