// The Debian package as a player gets it: unpacked with dpkg-deb (the packaging tests, which CTest
// runs first, build and unpack it), its launcher started from an unrelated folder.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <cstring>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/qt/fonts.h"
#include "rules/bmp/bmp_reader.h"
#include "tests/support/screen_checks.h"
#include "tests/support/temp_dir.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

const QString kLauncher = QStringLiteral(GAME_PACKAGE_ROOT "/usr/games/luxarim");
constexpr char kData[] = GAME_PACKAGE_ROOT "/usr/share/games/luxarim/dat/";

// The six portrait frames of the package, as the game reads them.
std::vector<DecodedBitmap> PackagedFrames() {
  PosixFileSystem files;
  std::vector<DecodedBitmap> frames;
  for (int i = 0; i < 6; ++i) {
    frames.push_back(ReadBmpFile(files, kData + std::string("a") + std::to_string(i) + ".bmp"));
  }
  return frames;
}

// Whether the portrait beside the text (x 0 to 229, the rows of the heat strokes left out) shows
// one of the frames pixel for pixel.
bool ShowsAFrame(const QImage& shot, const QRect& client,
                 const std::vector<DecodedBitmap>& frames) {
  constexpr int kWidth = 230;
  for (const DecodedBitmap& frame : frames) {
    bool same = frame.width == 500 && frame.height == 300;
    for (int y = 0; same && y < 300; ++y) {
      if (y >= 92 && y <= 104) continue;
      const uchar* seen = shot.constScanLine(client.y() + y) + 3 * client.x();
      same = std::memcmp(seen, frame.rgb.data() + 3 * 500 * y, 3 * kWidth) == 0;
    }
    if (same) return true;
  }
  return false;
}

// The dark pixels (the caption) of a push button face, 73 by 25.
std::vector<bool> CaptionPixels(const QImage& face, QPoint at = {}) {
  std::vector<bool> dark;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 73; ++x) {
      const QColor c = face.pixelColor(at.x() + x, at.y() + y);
      dark.push_back(c.red() < 100 && c.green() < 100 && c.blue() < 100);
    }
  }
  return dark;
}

// The game's special-move button with `caption`, drawn here as the game draws it.
std::vector<bool> ExpectedCaption(const QString& caption) {
  QPushButton button(caption);
  button.setFont(GothicFont(12, true));
  button.resize(73, 25);
  return CaptionPixels(button.grab().toImage());
}

class PackageEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QFileInfo(kLauncher).isExecutable()) {
      FAIL() << kLauncher.toStdString() << " is missing: the CTest fixture "
             << "Packaging.BuildsAndUnpacksTheDebianPackage builds and unpacks the package";
    }
  }

  TempDir elsewhere;  // an empty current folder, far from the game's data
};

TEST_F(PackageEndToEnd, LauncherPassesItsArgumentsToTheProgram) {
  struct Case {
    QStringList arguments;
    int status;
    QString out, err;
  };
  const std::vector<Case> cases = {
      {{"--version"}, 0, "luxarim " GAME_VERSION "\n", ""},
      {{"-platform", "xcb"}, 2, "", "luxarim: unknown option: -platform (try 'luxarim --help')\n"},
  };
  for (const Case& c : cases) {
    QProcess launcher;
    launcher.setWorkingDirectory(QString::fromStdString(elsewhere.Path().string()));
    launcher.start(kLauncher, c.arguments);
    ASSERT_TRUE(launcher.waitForFinished(10000));
    EXPECT_EQ(launcher.exitCode(), c.status) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(launcher.readAllStandardOutput(), c.out);
    EXPECT_EQ(launcher.readAllStandardError(), c.err);
  }
}

TEST_F(PackageEndToEnd, LauncherStartedElsewhereShowsTheGameAndItsStoryAndEndsWithStatusZero) {
  XSession x;
  if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
  GameProcess game(x, QString::fromStdString(elsewhere.Path().string()), {}, kLauncher);
  ASSERT_FALSE(game.WaitForWindow().isEmpty()) << game.Output().toStdString();
  const QRect client = game.ClientRect();
  const std::vector<DecodedBitmap> frames = PackagedFrames();
  const std::vector<bool> seven_uses = ExpectedCaption(QStringLiteral("★７"));
  auto special_button = [&](const QImage& shot) {
    return CaptionPixels(shot, client.topLeft() + QPoint(416, 264));
  };

  const QImage shot = game.WaitForScreen([&](const QImage& s) {
    return ShowsAFrame(s, client, frames) && special_button(s) == seven_uses;
  });
  EXPECT_TRUE(ShowsAFrame(shot, client, frames));
  EXPECT_EQ(special_button(shot), seven_uses);

  // Next shows the story's first page.
  auto first_page = [&](const QImage& s) { return DarkPixels(s, client, TextRow(0)) > 20; };
  game.Click(452, 244);
  EXPECT_TRUE(first_page(game.WaitForScreen(first_page)));

  EXPECT_EQ(game.CloseFromWindowManager(), std::optional<int>(0));
}

}  // namespace
}  // namespace game::testing
