#include "rules/scene/line_raster.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace game {
namespace {

using Pixels = std::vector<std::pair<int, int>>;

Pixels Raster(int x0, int y0, int x1, int y1, int width = 8, int height = 8) {
  Pixels pixels;
  RasterLine(x0, y0, x1, y1, width, height, [&](int x, int y) { pixels.emplace_back(x, y); });
  return pixels;
}

// The pixels come from the start's end, each once; clipping leaves out what lies outside on
// either axis, however far away the points are.
TEST(RasterLine, VisitsTheLinesPixelsInOrderWithoutTheEndClippedToTheArea) {
  const struct {
    int x0, y0, x1, y1;
    Pixels pixels;
  } cases[] = {
      {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {4, 2, 0, 0, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},  // halves round away from the start
      {1, 5, 2, 1, {{1, 5}, {1, 4}, {2, 3}, {2, 2}}},  // y major
      {3, 3, 3, 3, {}},
      {-3, -1, 5, 3, {{0, 1}, {1, 1}, {2, 2}, {3, 2}, {4, 3}}},  // clipped on both axes
      {9, 9, 6, 6, {{7, 7}}},
      {6,
       -2000000000,
       6,
       2000000000,
       {{6, 0}, {6, 1}, {6, 2}, {6, 3}, {6, 4}, {6, 5}, {6, 6}, {6, 7}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Raster(c.x0, c.y0, c.x1, c.y1), c.pixels)
        << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1;
  }
  EXPECT_TRUE(Raster(0, 0, 5, 5, 0, 8).empty());
}

}  // namespace
}  // namespace game
