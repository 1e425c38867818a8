#include "platform/graphics/my_cg.h"

#include <gtest/gtest.h>

namespace game {
namespace {

constexpr Rgb kPaper{10, 20, 30};
constexpr Rgb kInk{250, 200, 150};

TEST(PrepareRows, OneEntryPerRowAddressingThatRow) {
  const struct { int width, height; } sizes[] = {{1, 1}, {3, 7}, {500, 300}, {0, 0}};
  for (const auto& s : sizes) {
    OffscreenBitmap bitmap;
    bitmap.SetSize(s.width, s.height);
    APT rows(5, nullptr);
    PrepareRows(bitmap, rows);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(s.height)) << s.width << "x" << s.height;
    for (int y = 0; y < s.height; ++y) EXPECT_EQ(rows[y], bitmap.Row(y)) << y;
  }
}

TEST(SizeAndPrepare, SizesTheBitmapAndItsTable) {
  OffscreenBitmap bitmap;
  APT rows;
  SizeAndPrepare(bitmap, rows, 500, 300);
  EXPECT_EQ(bitmap.Width(), 500);
  EXPECT_EQ(bitmap.Height(), 300);
  ASSERT_EQ(rows.size(), 300u);
  rows[299][499 * 3] = 77;  // the last pixel, red byte
  EXPECT_EQ(bitmap.Pixel(499, 299).red, 77);
  SizeAndPrepare(bitmap, rows, 2, 1);
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], bitmap.Row(0));
}

TEST(CopyWhole, CopiesTheSourcesOwnAreaAtTheOriginAndNothingElse) {
  const struct {
    int src_width, src_height, dest_width, dest_height;
  } cases[] = {{200, 100, 500, 300}, {600, 400, 500, 300}, {500, 10, 500, 300}, {0, 0, 50, 30}};
  for (const auto& c : cases) {
    OffscreenBitmap source, dest;
    source.SetSize(c.src_width, c.src_height);
    source.Fill(kInk);
    dest.SetSize(c.dest_width, c.dest_height);
    dest.Fill(kPaper);
    CopyWhole(dest, source, RasterOp::kSrcCopy);
    int wrong = 0;
    for (int y = 0; y < c.dest_height; ++y) {
      for (int x = 0; x < c.dest_width; ++x) {
        const bool copied = x < c.src_width && y < c.src_height;
        wrong += !(dest.Pixel(x, y) == (copied ? kInk : kPaper));
      }
    }
    EXPECT_EQ(wrong, 0) << c.src_width << "x" << c.src_height << " onto " << c.dest_width << "x"
                        << c.dest_height;
  }
}

}  // namespace
}  // namespace game
