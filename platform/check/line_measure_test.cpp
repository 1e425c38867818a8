#include "platform/check/line_measure.h"

#include <gtest/gtest.h>

#include "platform/graphics/unit_bmp.h"
#include "rules/contracts/app_error.h"
#include "tests/support/story_bench.h"

namespace game::check {
namespace {

// The rightmost column the renderer inks when the page is `line` alone, on a blank frame.
int RightmostInk(const std::string& line) {
  testing::StoryBench bench;  // no frames: the picture is blank white
  bench.ShowFirstPage(line + "\n");
  Random random;
  struct : PaintTarget {
    void BlockCopy(const OffscreenBitmap&) override {}
  } screen;
  UnitBmp renderer(random, bench.story, screen, bench.files);
  EXPECT_THROW(renderer.InitGraphics(), AppError);
  renderer.RenderFrame();
  const OffscreenBitmap& picture = renderer.BackBuffer();
  for (int x = picture.Width() - 1; x >= 0; --x) {
    for (int y = UnitBmp::kTextY; y < UnitBmp::kTextY + UnitBmp::kLineStep; ++y) {
      if (picture.Pixel(x, y) != UnitBmp::kBlankColour) return x;
    }
  }
  return -1;
}

TEST(LineMeasure, MeasuresALineAsTheRendererDrawsIt) {
  LineMeasure measure;
  const std::string lines[] = {
      "Hello, Rim",
      "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\x81\x41\x83\x8A\x83\x80",  // こんにちは、リム
      "WWWW iiii",
  };
  for (const std::string& line : lines) {
    const int right_edge = UnitBmp::kTextX + measure.Width(line);
    const int ink = RightmostInk(line);
    EXPECT_LE(ink, right_edge + 1) << line;
    EXPECT_GE(ink, right_edge - measure.Font().pixelSize() / 2) << line;
  }
  // Wider than the space beside the portrait: the renderer inks up to the picture's edge.
  const std::string wide(40, 'W');
  EXPECT_GT(UnitBmp::kTextX + measure.Width(wide), UnitBmp::kWidth);
  EXPECT_GE(RightmostInk(wide), UnitBmp::kWidth - 10);
}

}  // namespace
}  // namespace game::check
