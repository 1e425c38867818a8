// The real game's picture in a real X server: the portrait frames, the page's text over them and
// the heat strokes, and the blank frame when a frame file is missing.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QRect>
#include <array>

#include "tests/support/game_folder.h"
#include "tests/support/screen_checks.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

// Six frame colours, none dark, pink or white, each in its own encoding.
const std::array<QColor, 6> kFrameColours = {QColor(40, 90, 160),  QColor(160, 60, 40),
                                             QColor(60, 140, 60),  QColor(120, 60, 140),
                                             QColor(30, 120, 130), QColor(150, 130, 40)};
const std::array<BmpEncoding, 6> kEncodings = {BmpEncoding::kRgb24,    BmpEncoding::kRgb32,
                                               BmpEncoding::kPalette4, BmpEncoding::kPalette8,
                                               BmpEncoding::kRle4,     BmpEncoding::kRle8};

// Page 1 with the heat on: こんにちは / Hello, Rim / 次のページ. Page 2 with the heat off.
const QByteArray kStory(
    "#heatOn\r\n"
    "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\r\n"
    "Hello, Rim\r\n"
    "\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57\r\n"
    "\r\n"
    "#heatOff\r\n"
    "The second page\r\n");

const QRect kHeatLeft(60, 92, 25, 13);    // x 60 to 84, y 92 to 104
const QRect kHeatRight(122, 92, 30, 13);  // x 122 to 151
const QRect kPicture(0, 0, 400, 230);     // the picture area clear of the buttons

QColor At(const QImage& shot, const QRect& client, int x, int y) {
  return shot.pixelColor(client.x() + x, client.y() + y);
}

bool IsFrameColour(QColor c) {
  for (const QColor& frame : kFrameColours) {
    if (c == frame) return true;
  }
  return false;
}

class RenderEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
    ASSERT_TRUE(folder.Valid());
    folder.WriteStory(kStory);
  }
  void WriteFrames(int count) {
    for (int i = 0; i < count; ++i) folder.WriteFrame(i, kFrameColours[i], kEncodings[i]);
  }

  XSession x;
  GameFolder folder;
};

TEST_F(RenderEndToEnd, FramesThenThePagesTextAndTheHeatStrokesOverThem) {
  WriteFrames(6);
  GameProcess game(x, folder.Path());
  ASSERT_FALSE(game.WaitForWindow().isEmpty()) << game.Output().toStdString();
  const QRect client = game.ClientRect();

  // A frame fills the picture; the page is empty before the first Next.
  QImage shot = game.WaitForScreen([&](const QImage& s) {
    return IsFrameColour(At(s, client, 5, 5)) && At(s, client, 395, 225) == At(s, client, 5, 5);
  });
  ASSERT_TRUE(IsFrameColour(At(shot, client, 5, 5))) << qPrintable(At(shot, client, 5, 5).name());
  EXPECT_EQ(DarkPixels(shot, client, QRect(230, 50, 170, 100)), 0);
  EXPECT_EQ(PinkPixels(shot, client, kPicture), 0);

  // After Next: three lines of dark glyphs from x 230, and the heat strokes.
  game.Click(452, 244);
  shot = game.WaitForScreen([&](const QImage& s) {
    return DarkPixels(s, client, TextRow(0)) > 0 && PinkPixels(s, client, kHeatLeft) > 0 &&
           PinkPixels(s, client, kHeatRight) > 0;
  });
  for (int row = 0; row < 3; ++row) {
    EXPECT_GT(DarkPixels(shot, client, TextRow(row).intersected(kPicture)), 20) << row;
  }
  EXPECT_EQ(DarkPixels(shot, client, QRect(0, 0, 230, 230)), 0);
  EXPECT_EQ(DarkPixels(shot, client, QRect(230, 110, 170, 120)), 0);
  const int left = PinkPixels(shot, client, kHeatLeft);
  const int right = PinkPixels(shot, client, kHeatRight);
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);
  EXPECT_EQ(PinkPixels(shot, client, kPicture), left + right);  // none outside the patches
  EXPECT_TRUE(IsFrameColour(At(shot, client, 5, 5)));

  // The second page switches the heat off.
  game.Click(452, 244);
  shot = game.WaitForScreen([&](const QImage& s) { return PinkPixels(s, client, kPicture) == 0; });
  EXPECT_EQ(PinkPixels(shot, client, kPicture), 0);
  EXPECT_GT(DarkPixels(shot, client, TextRow(0).intersected(kPicture)), 20);
  EXPECT_EQ(DarkPixels(shot, client, TextRow(2).intersected(kPicture)), 0);  // one line now

  EXPECT_EQ(game.CloseFromWindowManager(), std::optional<int>(0));
}

TEST_F(RenderEndToEnd, AMissingFrameIsReportedAtStartUpAndThenDrawnBlank) {
  WriteFrames(3);  // a3.bmp to a5.bmp are missing
  GameProcess game(x, folder.Path());
  // The error report comes first, before the main window is shown.
  const QString report = game.WaitForWindow();
  ASSERT_FALSE(report.isEmpty()) << game.Output().toStdString();
  ASSERT_NE(game.ClientRect().size(), QSize(500, 300));
  x.Run("xdotool", {"windowactivate", "--sync", report});
  game.Key("Return");

  for (int waited = 0; waited < 10000; waited += 100) {
    if (!game.WaitForWindow(100).isEmpty() && game.ClientRect().size() == QSize(500, 300)) break;
  }
  ASSERT_EQ(game.ClientRect().size(), QSize(500, 300)) << game.Output().toStdString();
  const QRect client = game.ClientRect();
  // The portrait starts with no frame (blank) and wanders onto the frames that did load; it
  // shows blank again on the ones that did not, and the program keeps running.
  const QImage blank = game.WaitForScreen(
      [&](const QImage& s) { return At(s, client, 5, 5) == QColor(255, 255, 255); }, 20000);
  EXPECT_EQ(At(blank, client, 5, 5), QColor(255, 255, 255));
  const QImage frame = game.WaitForScreen(
      [&](const QImage& s) { return IsFrameColour(At(s, client, 5, 5)); }, 20000);
  EXPECT_TRUE(IsFrameColour(At(frame, client, 5, 5)));
  EXPECT_TRUE(game.Running());
}

}  // namespace
}  // namespace game::testing
