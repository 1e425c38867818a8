#include "platform/qt/offscreen_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

#include "rules/bmp/bmp_writer.h"
#include "rules/fakes/fakes.h"
#include "tests/support/error_text.h"

namespace game {
namespace {

using Point = std::pair<int, int>;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kPaper{200, 220, 240};
constexpr Rgb kRed{255, 0, 0};

// A bitmap of one colour; the canvas has the renderer's text settings, in `text_colour`.
struct Sized : OffscreenBitmap {
  Sized(int width, int height, Rgb colour, Rgb text_colour = kBlack) {
    SetSize(width, height);
    Fill(colour);
    SetFontSize(14);
    SetFontBold(true);
    SetFontColor(text_colour);
    SetBrushStyle(BrushStyle::kClear);
  }
};

// Points whose colour is not `background`.
std::set<Point> Changed(const OffscreenBitmap& bitmap, Rgb background) {
  std::set<Point> changed;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (!(bitmap.Pixel(x, y) == background)) changed.insert({x, y});
    }
  }
  return changed;
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
};
Box Bounds(const std::set<Point>& points) {
  Box box;
  for (const auto& [x, y] : points) {
    box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
           std::max(box.bottom, y)};
  }
  return box;
}

TEST(FontPixelSize, PointsTimesDotsPerInchOver72ToTheNearest) {
  const struct {
    int points;
    double dpi;
    int pixels;
  } cases[] = {{14, 96, 19}, {14, 120, 23}, {14, 144, 28}, {14, 72, 14},
               {8, 96, 11},  {12, 96, 16},  {9, 96, 12},   {14, 97.5, 19}};
  for (const auto& c : cases) {
    EXPECT_EQ(FontPixelSize(c.points, c.dpi), c.pixels) << c.points << " pt at " << c.dpi;
  }
  // The web page draws the text at the size the rules give it: the same as the canvas.
  for (int points = 6; points <= 40; ++points) {
    EXPECT_EQ(FontPixelSize(points, kCanvasDotsPerInch), LayoutPixels(points)) << points;
  }
}

TEST(OffscreenBitmap, SizeKeepsTheSharedPixelsAndBlackensNewOnes) {
  OffscreenBitmap bitmap;
  EXPECT_TRUE(bitmap.Empty());
  bitmap.SetSize(3, 2);
  EXPECT_EQ(Changed(bitmap, kBlack).size(), 0u);
  bitmap.SetPixel(0, 0, kRed);
  bitmap.SetPixel(2, 1, kRed);
  bitmap.SetSize(5, 1);
  EXPECT_EQ(bitmap.Width(), 5);
  EXPECT_EQ(bitmap.Height(), 1);
  EXPECT_EQ(Changed(bitmap, kBlack), (std::set<Point>{{0, 0}}));
  bitmap.SetSize(0, 4);
  EXPECT_TRUE(bitmap.Empty());
  bitmap.SetSize(2, 2);
  EXPECT_EQ(Changed(bitmap, kBlack).size(), 0u);
}

TEST(OffscreenBitmap, RowsAreRedGreenBlueAndStayPutWhileDrawing) {
  Sized bitmap(7, 3, kPaper);
  std::uint8_t* row1 = bitmap.Row(1);
  EXPECT_GE(bitmap.Row(2) - row1, 7 * 3);
  row1[3] = 1, row1[4] = 2, row1[5] = 3;  // pixel (1, 1)
  EXPECT_EQ(bitmap.Pixel(1, 1), (Rgb{1, 2, 3}));

  Sized other(2, 2, kRed);
  bitmap.TextOut(0, 0, "Ab");
  bitmap.MoveTo(0, 2);
  bitmap.LineTo(6, 2);
  bitmap.CopyFrom(other);
  bitmap.Fill(kPaper);
  EXPECT_EQ(bitmap.Row(1), row1);
}

class OffscreenBitmapFile : public ::testing::Test {
 protected:
  std::string WriteFile(const std::string& name, const std::string& bytes) {
    files_.files[name] = bytes;
    return name;
  }

  fakes::FakeFileSystem files_;
};

TEST_F(OffscreenBitmapFile, LoadsEveryPixelOfABitmapFile) {
  DecodedBitmap picture{3, 2, {}};
  for (int i = 0; i < 6; ++i) picture.rgb.insert(picture.rgb.end(), {std::uint8_t(i * 40), 7, 9});
  const std::vector<std::uint8_t> bytes = EncodeBmp(picture, BmpEncoding::kRle4);
  const std::string path = WriteFile("p.bmp", std::string(bytes.begin(), bytes.end()));

  Sized bitmap(9, 9, kRed);
  bitmap.LoadFromFile(files_, path);
  ASSERT_EQ(bitmap.Width(), 3);
  ASSERT_EQ(bitmap.Height(), 2);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(bitmap.Pixel(i % 3, i / 3), (Rgb{std::uint8_t(i * 40), 7, 9})) << i;
  }
  bitmap.LoadFromFile(files_, WriteFile("zero.bmp", ""));
  EXPECT_TRUE(bitmap.Empty());
}

TEST_F(OffscreenBitmapFile, AFailedLoadThrowsTheReadersTextAndKeepsThePicture) {
  const std::string missing = "missing.bmp";
  const struct {
    std::string path;
    std::string text;
  } cases[] = {
      {missing, BmpCannotOpenText(missing)},
      {WriteFile("sig.bmp", std::string("XM") + std::string(60, '\0')), kBmpInvalidText},
      {WriteFile("short.bmp", "BM\x10\x00"), kBmpReadErrorText},
  };
  for (const auto& c : cases) {
    Sized bitmap(2, 1, kRed);
    EXPECT_EQ(testing::ErrorText([&] { bitmap.LoadFromFile(files_, c.path); }), c.text) << c.path;
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(Changed(bitmap, kRed).size(), 0u);
  }
}

TEST(OffscreenBitmap, LineToSetsEveryPixelButTheEndClippedToTheBitmap) {
  const struct {
    Point from, to;
    std::set<Point> pixels;
  } cases[] = {
      {{1, 1}, {5, 1}, {{1, 1}, {2, 1}, {3, 1}, {4, 1}}},
      {{5, 1}, {1, 1}, {{5, 1}, {4, 1}, {3, 1}, {2, 1}}},
      {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}},
      {{2, 3}, {2, 0}, {{2, 3}, {2, 2}, {2, 1}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
      {{0, 0}, {4, 2}, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}},
      {{4, 2}, {0, 0}, {{4, 2}, {3, 1}, {2, 1}, {1, 0}}},
      {{1, 5}, {2, 1}, {{1, 5}, {1, 4}, {2, 3}, {2, 2}}},
      {{3, 3}, {3, 3}, {}},
      {{-3, 2}, {3, 2}, {{0, 2}, {1, 2}, {2, 2}}},
      {{9, 9}, {6, 6}, {{7, 7}}},
      {{-5, -1}, {20, -1}, {}},
      {{-2000000000, 6},
       {2000000000, 6},
       {{0, 6}, {1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}, {6, 6}, {7, 6}}},
  };
  for (const auto& c : cases) {
    Sized bitmap(8, 8, kBlack);
    bitmap.SetPenColor(kRed);
    bitmap.MoveTo(c.from.first, c.from.second);
    bitmap.LineTo(c.to.first, c.to.second);
    EXPECT_EQ(Changed(bitmap, kBlack), c.pixels)
        << c.from.first << "," << c.from.second << " to " << c.to.first << "," << c.to.second;
    EXPECT_EQ(Point(bitmap.PenX(), bitmap.PenY()), c.to);
    for (const Point& p : c.pixels) EXPECT_EQ(bitmap.Pixel(p.first, p.second), kRed);
  }
  OffscreenBitmap empty;  // draws nothing, moves the pen
  empty.LineTo(5, 5);
  empty.TextOut(0, 0, "A");
  EXPECT_EQ(Point(empty.PenX(), empty.PenY()), Point(5, 5));
}

TEST(OffscreenBitmap, TextSitsBelowAndRightOfItsAnchorOnAClearBackground) {
  Sized bitmap(200, 80, kPaper, kRed);
  bitmap.TextOut(10, 20, "\x82\x76\x81\x9B");  // full-width W, white circle
  const std::set<Point> ink = Changed(bitmap, kPaper);
  const Box box = Bounds(ink);
  const int size = bitmap.FontPixelHeight();
  EXPECT_GE(box.left, 10);
  EXPECT_LE(box.left, 10 + size / 4);
  EXPECT_GE(box.top, 20);
  EXPECT_LE(box.top, 20 + size / 3);
  EXPECT_LT(box.bottom, 20 + size + 2);
  EXPECT_GT(box.bottom - box.top, size / 2);
  // The paper shows between the glyphs' strokes; full coverage is the font colour itself.
  EXPECT_LT(ink.size(), static_cast<std::size_t>((box.right - box.left + 1) *
                                                 (box.bottom - box.top + 1) * 3 / 4));
  EXPECT_TRUE(std::any_of(ink.begin(), ink.end(),
                          [&](const Point& p) { return bitmap.Pixel(p.first, p.second) == kRed; }));

  // Anchored at its top-left: the same text elsewhere is the same ink moved.
  Sized moved(200, 80, kPaper, kRed);
  moved.TextOut(13, 45, "\x82\x76\x81\x9B");
  std::set<Point> shifted;
  for (const auto& [x, y] : ink) shifted.insert({x + 3, y + 25});
  EXPECT_EQ(Changed(moved, kPaper), shifted);
}

TEST(OffscreenBitmap, ASolidBrushFillsTheTextCellAndBoldInksMore) {
  auto ink_of = [](bool bold, OffscreenBitmap::BrushStyle brush) {
    Sized bitmap(200, 40, kPaper);
    bitmap.SetFontBold(bold);
    bitmap.SetBrushStyle(brush);
    bitmap.TextOut(5, 5, "Heat \x82\xA0");
    return Changed(bitmap, kPaper);
  };
  const auto solid = OffscreenBitmap::BrushStyle::kSolid;
  const auto clear = OffscreenBitmap::BrushStyle::kClear;
  EXPECT_GT(ink_of(true, clear).size(), ink_of(false, clear).size());
  // The solid brush paints the cell from the anchor on, so it covers more than the glyphs.
  const std::set<Point> cell = ink_of(true, solid);
  EXPECT_TRUE(cell.count({5, 5}));
  EXPECT_GT(cell.size(), 2 * ink_of(true, clear).size());
  EXPECT_EQ(Bounds(cell).left, 5);
  EXPECT_EQ(Bounds(cell).top, 5);
}

std::string Repeated(const std::string& unit, std::size_t times) {
  std::string text;
  text.reserve(unit.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += unit;
  return text;
}

// A text of megabytes draws exactly what the text cut a little past the right edge draws (drawn
// on a wider bitmap, where it is not cut), and only a head of it is decoded and shaped.
TEST(OffscreenBitmap, ALongTextDrawsWhatShowsAndShapesOnlyAHeadOfIt) {
  const struct {
    const char* name;
    std::string unit;
    int x;
    std::size_t shown_units;  // reaches past x 500 in a 14-point bold face
  } cases[] = {
      {"full-width", "\x82\xA0", 230, 30},
      {"digits", "0123456789", 230, 6},
      // Starts far left of the bitmap: the first head measured does not reach the edge.
      {"mixed", "a\x82\xA0", -600, 70},
      {"half-width katakana", "\xB1\xB2\xB3", 100, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string line = Repeated(c.unit, (4u << 20) / c.unit.size());
    Sized drawn(500, 40, kPaper);
    drawn.TextOut(c.x, 10, line);
    EXPECT_LT(drawn.ShapedCharacters(), 1000u);

    Sized wide(2000, 40, kPaper);
    wide.TextOut(c.x, 10, Repeated(c.unit, c.shown_units));
    const Box ink = Bounds(Changed(wide, kPaper));
    ASSERT_GT(ink.right, 540) << "the cut text must reach past the edge";
    for (int y = 0; y < 40; ++y) {
      ASSERT_EQ(std::memcmp(drawn.Row(y), wide.Row(y), 500 * 3), 0) << "row " << y;
    }
  }
}

TEST(OffscreenBitmap, CopyFromCopiesTheSourceAtTheOriginClippedToThisBitmap) {
  Sized wide(6, 2, kRed);
  Sized dest(4, 3, kPaper);
  dest.CopyFrom(wide);
  std::set<Point> top_rows;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) top_rows.insert({x, y});
  }
  EXPECT_EQ(Changed(dest, kPaper), top_rows);
  OffscreenBitmap empty;
  dest.Fill(kPaper);
  dest.CopyFrom(empty);
  EXPECT_TRUE(Changed(dest, kPaper).empty());
  empty.CopyFrom(wide);
  EXPECT_TRUE(empty.Empty());
}

}  // namespace
}  // namespace game
