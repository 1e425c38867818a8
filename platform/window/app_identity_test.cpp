#include "platform/window/app_identity.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>

namespace game {
namespace {

// How many pixels of two same-sized images differ by more than a fifth of the range in some
// channel, compared at 64 by 64 pixels with the colours weighted by alpha: edges that two
// renderers smooth a little differently stay below that.
int DifferentPixels(const QImage& a, const QImage& b) {
  auto small = [](const QImage& image) {
    return image.convertToFormat(QImage::Format_RGBA8888_Premultiplied)
        .scaled(64, 64, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  };
  const QImage x = small(a);
  const QImage y = small(b);
  int different = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int column = 0; column < x.width(); ++column) {
      bool differs = false;
      for (int channel = 0; channel < 4; ++channel) {
        const int at = column * 4 + channel;
        differs |= std::abs(x.constScanLine(row)[at] - y.constScanLine(row)[at]) > 48;
      }
      different += differs;
    }
  }
  return different;
}

// librsvg's drawing of an SVG document at 256 by 256 pixels, as desktops draw scalable icons.
QImage Rasterised(const QString& svg) {
  QProcess rsvg;
  rsvg.start("rsvg-convert", {"--width", "256", "--height", "256"});
  rsvg.write(svg.toUtf8());
  rsvg.closeWriteChannel();
  rsvg.waitForFinished(30000);
  return QImage::fromData(rsvg.readAllStandardOutput(), "PNG");
}

TEST(GameIcon, TheSvgDrawsTheSameStarAsThePixels) {
  const QImage pixels = GameIconImage(256);
  const QImage svg = Rasterised(GameIconSvg());
  ASSERT_EQ(svg.size(), QSize(256, 256)) << "rsvg-convert could not draw the SVG";
  EXPECT_LE(DifferentPixels(pixels, svg), 5);
  // A star a quarter of a grid unit out of place is seen.
  QString shifted = GameIconSvg();
  shifted.replace("<polygon", "<polygon transform=\"translate(0.25 0)\"");
  EXPECT_GE(DifferentPixels(pixels, Rasterised(shifted)), 40);
}

}  // namespace
}  // namespace game
