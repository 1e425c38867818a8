#include "window/app_identity.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>

namespace game {
namespace {

// The mean difference of two same-sized images over every channel, alpha included, 0 to 255.
double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGBA8888);
  const QImage y = b.convertToFormat(QImage::Format_RGBA8888);
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int i = 0; i < x.width() * 4; ++i)
      sum += std::abs(x.constScanLine(row)[i] - y.constScanLine(row)[i]);
  }
  return sum / (x.width() * x.height() * 4.0);
}

// ImageMagick's drawing of an SVG document at 256 by 256 pixels.
QImage Rasterised(const QString& svg) {
  QProcess convert;
  convert.start("convert", {"-density", "768", "-background", "none", "svg:-", "png:-"});
  convert.write(svg.toUtf8());
  convert.closeWriteChannel();
  convert.waitForFinished(30000);
  return QImage::fromData(convert.readAllStandardOutput(), "PNG");
}

TEST(GameIcon, TheSvgDrawsTheSameStarAsThePixels) {
  const QImage pixels = GameIconImage(256);
  const QImage svg = Rasterised(GameIconSvg());
  ASSERT_EQ(svg.size(), QSize(256, 256)) << "ImageMagick's convert could not draw the SVG";
  EXPECT_LT(MeanDifference(pixels, svg), 4.0);
  // A star half a grid unit out of place would be seen.
  QString shifted = GameIconSvg();
  shifted.replace("<polygon", "<polygon transform=\"translate(0.5 0)\"");
  EXPECT_GT(MeanDifference(pixels, Rasterised(shifted)), 4.0);
}

}  // namespace
}  // namespace game
