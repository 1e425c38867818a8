// The real game's picture at other pixel densities: drawn as on a 96-dpi screen whatever the
// fonts' dots per inch, and shown with the whole window scaled by Qt's device-pixel ratio.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cmath>
#include <cstdlib>

#include "tests/support/game_folder.h"
#include "tests/support/screen_checks.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

// Five full lines: a line drawn taller than its 20-pixel step would run into the next.
const QByteArray kStory(
    "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x81\x41\x83\x8A\x83\x80\n"  // こんにちは、リム
    "Hello, Rim! gjpqy\n"
    "\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xD6\n"  // 次のページへ
    "WWWWWWWWWWWW\n"
    "\x81\x9A\x81\x9A\x81\x9A gggg\n");  // ★★★

QRect Scaled(const QRect& r, double ratio) { return QRect(r.topLeft() * ratio, r.size() * ratio); }

// The picture clear of the buttons, which Qt draws afresh at each ratio.
const QRect kClearOfButtons[] = {QRect(0, 0, 500, 228), QRect(0, 228, 410, 72)};

// How many of `shot`'s pixels clear of the buttons differ from `reference` scaled to the shot's
// size by more than scaling's blur (a quarter of the range in a channel). A whole ratio repeats
// pixels; a fractional one blends them, as the window does.
int Differences(const QImage& reference, const QImage& shot, double ratio) {
  const auto mode = ratio == std::floor(ratio) ? Qt::FastTransformation : Qt::SmoothTransformation;
  const QImage expected = reference.scaled(shot.size(), Qt::IgnoreAspectRatio, mode);
  int differences = 0;
  for (const QRect& area : kClearOfButtons) {
    const QRect scaled = Scaled(area, ratio);
    for (int y = scaled.top(); y <= scaled.bottom(); ++y) {
      for (int x = scaled.left(); x <= scaled.right(); ++x) {
        const QColor a = expected.pixelColor(x, y), b = shot.pixelColor(x, y);
        differences += std::abs(a.red() - b.red()) > 64 || std::abs(a.green() - b.green()) > 64 ||
                       std::abs(a.blue() - b.blue()) > 64;
      }
    }
  }
  return differences;
}

class PixelDensityEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    folder.WriteFrames(QColor(250, 240, 200));  // one frame six times: the portrait stays put
    folder.WriteStory(kStory);
  }

  // The window's client area at `ratio` once Next has shown the page.
  QImage Picture(const QProcessEnvironment& env, double ratio) {
    GameProcess game(x, folder.Path(), env);
    if (game.WaitForWindow().isEmpty()) return {};
    const QRect client = game.ClientRect();
    game.Click(std::lround(452 * ratio), std::lround(244 * ratio));
    const QRect last_row = Scaled(TextRow(4).intersected(kClearOfButtons[0]), ratio);
    return game.WaitForScreen([&](const QImage& s) { return DarkPixels(s, client, last_row) > 20; })
        .copy(client);
  }

  XSession x;
  GameFolder folder;
};

TEST_F(PixelDensityEndToEnd, ThePictureIsTheOneOfA96DpiScreenScaledByTheWindowsRatio) {
  const QImage reference = Picture({}, 1);
  ASSERT_EQ(reference.size(), QSize(500, 300));
  const struct {
    QStringList env;
    double ratio;
  } cases[] = {{{"QT_SCALE_FACTOR=2"}, 2},
               {{"QT_FONT_DPI=144"}, 1.5},  // Qt scales a 144-dpi screen by 1.5
               {{"QT_ENABLE_HIGHDPI_SCALING=0", "QT_FONT_DPI=144"}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.env.join(' ').toStdString());
    QProcessEnvironment env;
    for (const QString& setting : c.env)
      env.insert(setting.section('=', 0, 0), setting.section('=', 1));
    const QImage shot = Picture(env, c.ratio);
    ASSERT_EQ(shot.size(), QSize(500, 300) * c.ratio);
    EXPECT_EQ(Differences(reference, shot, c.ratio), 0);
  }
}

}  // namespace
}  // namespace game::testing
