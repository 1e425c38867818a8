// The real game's picture at other pixel densities: drawn as on a 96-dpi screen whatever the
// fonts' dots per inch, and shown with the whole window scaled by Qt's device-pixel ratio.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cmath>
#include <cstdlib>

#include "game_folder.h"
#include "screen_checks.h"
#include "x_session.h"

namespace game::testing {
namespace {

// Five full lines: a line drawn taller than its 20-pixel step would run into the next.
const QByteArray kStory(
    "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x81\x41\x83\x8A\x83\x80\n"  // こんにちは、リム
    "Hello, Rim! gjpqy\n"
    "\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xD6\n"  // 次のページへ
    "WWWWWWWWWWWW\n"
    "\x81\x9A\x81\x9A\x81\x9A gggg\n");  // ★★★

// The picture clear of the buttons, in the window's logical pixels.
const QRect kAboveButtons(0, 0, 500, 228);
const QRect kLeftOfButtons(0, 228, 410, 72);

QRect Scaled(const QRect& r, double ratio) {
  return QRect(std::lround(r.x() * ratio), std::lround(r.y() * ratio),
               std::lround(r.width() * ratio), std::lround(r.height() * ratio));
}

// How many of `shot`'s pixels clear of the buttons differ from `reference` scaled to the shot's
// size by more than a quarter of the colour range in some channel, which is more than scaling's
// blur. Scaling by a whole ratio repeats pixels; by a fractional one it blends them, as the
// window does.
int Differences(const QImage& reference, const QImage& shot, double ratio) {
  const QImage expected = reference.scaled(
      shot.size(), Qt::IgnoreAspectRatio,
      ratio == std::floor(ratio) ? Qt::FastTransformation : Qt::SmoothTransformation);
  int differences = 0;
  for (const QRect& area : {Scaled(kAboveButtons, ratio), Scaled(kLeftOfButtons, ratio)}) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
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

  // The window's picture (its client area) with the first page shown, for a window of `ratio`.
  QImage Picture(const QProcessEnvironment& env, double ratio) {
    GameProcess game(x, folder.Path(), env);
    if (game.WaitForWindow().isEmpty()) return {};
    const QRect client = game.ClientRect();
    EXPECT_EQ(client.size(), Scaled(QRect(0, 0, 500, 300), ratio).size());
    game.Click(std::lround(452 * ratio), std::lround(244 * ratio));
    const QRect last_row = Scaled(TextRow(4).intersected(kAboveButtons), ratio);
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
    std::vector<std::pair<QString, QString>> env;
    double ratio;
  } cases[] = {{{{"QT_SCALE_FACTOR", "2"}}, 2},
               {{{"QT_FONT_DPI", "144"}}, 1.5},  // Qt scales a 144-dpi screen by 1.5
               {{{"QT_ENABLE_HIGHDPI_SCALING", "0"}, {"QT_FONT_DPI", "144"}}, 1}};
  for (const auto& c : cases) {
    QProcessEnvironment env;
    for (const auto& [name, value] : c.env) env.insert(name, value);
    SCOPED_TRACE(env.toStringList().join(' ').toStdString());
    const QImage shot = Picture(env, c.ratio);
    reference.save("/tmp/a11y/ref.png");
    shot.save(QString("/tmp/a11y/shot%1.png").arg(c.ratio));
    ASSERT_EQ(shot.size(), Scaled(QRect(0, 0, 500, 300), c.ratio).size());
    EXPECT_EQ(Differences(reference, shot, c.ratio), 0);
  }
}

}  // namespace
}  // namespace game::testing
