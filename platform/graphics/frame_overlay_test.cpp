#include "platform/graphics/frame_overlay.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <utility>
#include <vector>

namespace game {
namespace {

// A 40 by 30 frame whose pixels all differ from their neighbours.
void Paint(OffscreenBitmap& bitmap, int width = 40, int height = 30) {
  bitmap.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bitmap.SetPixel(x, y, {std::uint8_t(x * 5), std::uint8_t(y * 7), std::uint8_t(x ^ y)});
    }
  }
}

bool Same(const OffscreenBitmap& a, const OffscreenBitmap& b) {
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), std::size_t(a.Width()) * 3) != 0) return false;
  }
  return true;
}

TEST(FrameOverlay, KeepsTheSmallestRectangleThatGivesThePictureBackOverTheFrame) {
  const struct {
    const char* name;
    int frame_width;
    std::vector<std::pair<int, int>> changed;
    int left, top, width, height;
  } cases[] = {
      {"nothing drawn", 40, {}, 0, 0, 0, 0},
      {"one pixel", 40, {{7, 9}}, 7, 9, 1, 1},
      {"corners", 40, {{0, 29}, {39, 0}}, 0, 0, 40, 30},
      {"scattered", 40, {{12, 4}, {30, 20}, {5, 11}}, 5, 4, 26, 17},
      {"over a wider frame", 60, {{39, 29}, {20, 25}}, 20, 25, 20, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OffscreenBitmap frame, picture;
    Paint(frame, c.frame_width);
    Paint(picture);
    for (const auto& [x, y] : c.changed) picture.SetPixel(x, y, {1, 2, 3});
    const FrameOverlay overlay = FrameOverlay::Capture(picture, frame);
    EXPECT_EQ(overlay.Empty(), c.changed.empty());
    EXPECT_EQ((std::array{overlay.Left(), overlay.Top(), overlay.Width(), overlay.Height()}),
              (std::array{c.left, c.top, c.width, c.height}));

    OffscreenBitmap again;
    Paint(again);
    overlay.PasteOnto(again);
    EXPECT_TRUE(Same(again, picture));
  }
}

}  // namespace
}  // namespace game
