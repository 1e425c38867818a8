#include "platform/graphics/unit_bmp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/graphics/fake_paint_target.h"
#include "rules/bmp/bmp_writer.h"
#include "tests/support/blush_colour.h"
#include "tests/support/error_text.h"
#include "tests/support/huge_claim_bmp.h"
#include "tests/support/script_bytes.h"
#include "tests/support/story_bench.h"

namespace game {
namespace {

constexpr Rgb kSky{200, 230, 255};
constexpr Rgb kMarker{1, 2, 3};

// Five page lines: こんにちは / Hello, Rim / 次のページ / WWWW / ★ＡＢ, then a page break.
constexpr char kFiveLines[] =
    "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD\n"
    "Hello, Rim\n"
    "\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57\n"
    "WWWW\n"
    "\x81\x9A\x82\x60\x82\x61\n"
    "\n";

using ColourOf = std::function<Rgb(int index, int x, int y)>;

// A frame whose every pixel differs from its neighbours and from the other frames' pixels.
Rgb Patterned(int index, int x, int y) {
  return {std::uint8_t(x * 7 + index * 40), std::uint8_t(y * 3 + index), std::uint8_t(x ^ y)};
}

bool SamePicture(const OffscreenBitmap& a, const OffscreenBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), std::size_t(a.Width()) * 3) != 0) return false;
  }
  return true;
}

void CopyPicture(OffscreenBitmap& dest, const OffscreenBitmap& source) {
  dest.SetSize(source.Width(), source.Height());
  dest.CopyFrom(source);
}

// `lines` written as the renderer writes a page, over a copy of `frame`.
void WritePage(OffscreenBitmap& picture, const OffscreenBitmap& frame,
               const std::vector<std::string>& lines) {
  CopyPicture(picture, frame);
  picture.SetFontSize(14);
  picture.SetFontBold(true);
  picture.SetBrushStyle(OffscreenBitmap::BrushStyle::kClear);
  for (std::size_t i = 0; i < lines.size(); ++i) picture.TextOut(230, 50 + 20 * int(i), lines[i]);
}

// Each test has a dat/ of its own, in memory.
class UnitBmpTest : public ::testing::Test, public testing::StoryBench {
 protected:
  // Frames a0.bmp to a5.bmp of `width` by `height`, stored in several encodings.
  void WriteFrames(int width, int height, const ColourOf& colour_of) {
    const BmpEncoding encodings[] = {BmpEncoding::kRgb24, BmpEncoding::kRgb32, BmpEncoding::kRgb24,
                                     BmpEncoding::kRgb32, BmpEncoding::kRgb24, BmpEncoding::kRgb24};
    for (int index = 0; index < UnitBmp::kFrameCount; ++index) {
      DecodedBitmap frame{width, height, {}};
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const Rgb c = colour_of(index, x, y);
          frame.rgb.insert(frame.rgb.end(), {c.red, c.green, c.blue});
        }
      }
      const std::vector<std::uint8_t> bytes = EncodeBmp(frame, encodings[index]);
      files.files[story_files::FramePath(index)] = std::string(bytes.begin(), bytes.end());
    }
  }
  void WriteSolidFrames(int width, int height, Rgb colour) {
    WriteFrames(width, height, [colour](int, int, int) { return colour; });
  }

  // Runs `ticks` ticks; fails when any tick did not copy to the screen exactly once or the
  // screen did not get the back buffer as the tick left it.
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) {
      const int copies = screen_.copies;
      bmp_.RenderFrame();
      ASSERT_EQ(screen_.copies, copies + 1);
      ASSERT_TRUE(SamePicture(screen_.last, bmp_.BackBuffer()));
    }
  }

  Random random_{2024};
  fakes::FakePaintTarget screen_{/*keep_last=*/true};
  UnitBmp bmp_{random_, story, screen_, files};
};

// Only the part of a frame that can show is kept: a frame larger than the picture costs what the
// picture does, whatever its file claims, and the picture shows the same pixels.
TEST_F(UnitBmpTest, AFrameLargerThanThePictureKeepsOnlyThePartThatShows) {
  WriteFrames(700, 450, Patterned);
  const std::vector<std::uint8_t> huge = testing::HugeClaimRle8(9000, -9000);
  files.files[story_files::FramePath(5)] = std::string(huge.begin(), huge.end());
  bmp_.InitGraphics();
  for (int index = 0; index < UnitBmp::kFrameCount; ++index) {
    const OffscreenBitmap& frame = bmp_.PortraitFrames()[static_cast<std::size_t>(index)];
    ASSERT_EQ(frame.Width(), 500) << index;
    ASSERT_EQ(frame.Height(), 300) << index;
    EXPECT_EQ(bmp_.FrameRows(index).size(), 300u);
    for (int y = 0; y < 300; y += 7) {
      for (int x = 0; x < 500; x += 3) {
        const Rgb want = index < 5 ? Patterned(index, x, y)
                                   : (y == 0 && x < 255 ? Rgb{255, 0, 0} : Rgb{0, 0, 0});
        ASSERT_EQ(frame.Pixel(x, y), want) << index << " at " << x << ", " << y;
      }
    }
  }
  Tick();
  EXPECT_EQ(screen_.last.Pixel(499, 299), Patterned(bmp_.PortraitIndex(), 499, 299));
}

TEST_F(UnitBmpTest, InitGraphicsMakesTheBackBufferAndLoadsTheSixFrames) {
  WriteFrames(500, 300, Patterned);
  EXPECT_EQ(bmp_.PortraitIndex(), -1);
  bmp_.InitGraphics();
  EXPECT_EQ(bmp_.PortraitIndex(), 0);
  EXPECT_EQ(bmp_.BackBuffer().Width(), 500);
  EXPECT_EQ(bmp_.BackBuffer().Height(), 300);
  EXPECT_EQ(bmp_.BackRows().size(), 300u);
  EXPECT_EQ(bmp_.BackBuffer().FontPixelHeight(), 19);  // 14 points at 96 dpi, on any screen
  for (int i = 0; i < UnitBmp::kFrameCount; ++i) {
    const OffscreenBitmap& frame = bmp_.PortraitFrames()[i];
    ASSERT_EQ(frame.Width(), 500) << i;
    ASSERT_EQ(bmp_.FrameRows(i).size(), 300u) << i;
    EXPECT_EQ(bmp_.FrameRows(i)[7], frame.Row(7));
    EXPECT_EQ(frame.Pixel(499, 299), Patterned(i, 499, 299)) << i;
  }
}

TEST_F(UnitBmpTest, WithNoLinesAndHeatOffTheScreenShowsExactlyTheCurrentFrame) {
  WriteFrames(500, 300, Patterned);
  bmp_.InitGraphics();
  for (int tick = 0; tick < 40; ++tick) {
    Tick();
    EXPECT_TRUE(SamePicture(screen_.last, bmp_.PortraitFrames()[bmp_.PortraitIndex()])) << tick;
  }
  // The special move's answer stores 0: the next tick shows frame 0 or 1.
  bmp_.PortraitIndex() = 0;
  Tick();
  EXPECT_LE(bmp_.PortraitIndex(), 1);
  EXPECT_TRUE(SamePicture(screen_.last, bmp_.PortraitFrames()[bmp_.PortraitIndex()]));
}

// The first seed from which Random(5) then Random(2) give `five` and `two` (any `two` when
// `five` is not 0).
std::uint32_t SeedFor(bool five_is_zero, int two) {
  for (std::uint32_t seed = 0;; ++seed) {
    Random probe(seed);
    const bool zero = probe(5) == 0;
    if (zero == five_is_zero && (!zero || probe(2) == two)) return seed;
  }
}

TEST_F(UnitBmpTest, TheWanderMovesOneFrameWhenRandomFiveIsZeroAndDropsMovesPastTheEnds) {
  WriteFrames(500, 300, Patterned);
  bmp_.InitGraphics();
  const struct {
    std::int32_t from;
    bool five_is_zero;
    int two;
    std::int32_t to;
    int draws;
  } cases[] = {
      {2, true, 1, 3, 2},  {2, true, 0, 1, 2},   {5, true, 1, 5, 2},  {0, true, 0, 0, 2},
      {5, true, 0, 4, 2},  {0, true, 1, 1, 2},   {3, false, 0, 3, 1}, {0, false, 0, 0, 1},
      {-1, true, 1, 0, 2}, {-1, true, 0, -1, 2},
  };
  for (const auto& c : cases) {
    const std::uint32_t seed = SeedFor(c.five_is_zero, c.two);
    random_.SetSeed(seed);
    bmp_.PortraitIndex() = c.from;
    Tick();
    EXPECT_EQ(bmp_.PortraitIndex(), c.to) << c.from << " " << c.five_is_zero << " " << c.two;
    Random probe(seed);
    for (int i = 0; i < c.draws; ++i) probe(2);
    EXPECT_EQ(random_.Seed(), probe.Seed()) << "draws from " << c.from;
  }
}

TEST_F(UnitBmpTest, AThousandTicksStayWithinTheFramesAndMoveAtMostOneStep) {
  WriteSolidFrames(4, 4, kSky);
  bmp_.InitGraphics();
  int moves_up = 0, moves_down = 0;
  bool seen[UnitBmp::kFrameCount] = {};
  for (int tick = 0; tick < 1000; ++tick) {
    const std::int32_t before = bmp_.PortraitIndex();
    bmp_.RenderFrame();
    const std::int32_t now = bmp_.PortraitIndex();
    ASSERT_GE(now, 0) << tick;
    ASSERT_LE(now, 5) << tick;
    ASSERT_LE(std::abs(now - before), 1) << tick;
    moves_up += now > before;
    moves_down += now < before;
    seen[now] = true;
  }
  EXPECT_EQ(screen_.copies, 1000);
  // About one tick in five moves (one in ten at the ends).
  EXPECT_GT(moves_up + moves_down, 120);
  EXPECT_LT(moves_up + moves_down, 230);
  for (bool s : seen) EXPECT_TRUE(s);
}

TEST_F(UnitBmpTest, FiveLinesAtTheirRowsWithThePortraitBetweenTheLetters) {
  WriteSolidFrames(500, 300, kSky);
  bmp_.InitGraphics();
  ShowFirstPage(kFiveLines);
  ASSERT_EQ(story.PageLineCount(), 5);
  Tick();

  // The same text written line by line at (230, 50 + 20 i) over the frame.
  OffscreenBitmap expected;
  WritePage(expected, bmp_.PortraitFrames()[0], Shown());
  EXPECT_TRUE(SamePicture(screen_.last, expected));

  // Each line's band holds dark ink and the portrait between the letters; nothing is drawn
  // left of x 230 or outside the five bands.
  for (int y = 0; y < 300; ++y) {
    int dark = 0, sky = 0;
    for (int x = 0; x < 500; ++x) {
      const Rgb c = screen_.last.Pixel(x, y);
      const bool ink = !(c == kSky);
      if (ink && (x < 230 || y < 50 || y >= 150)) ADD_FAILURE() << "ink at " << x << "," << y;
      dark += c.red < 64 && c.green < 64 && c.blue < 64;
      sky += x >= 230 && c == kSky;
    }
    if ((y - 50) % 20 == 7 && y < 150) {
      EXPECT_GT(dark, 5) << "line " << (y - 50) / 20;
      EXPECT_GT(sky, 150) << "line " << (y - 50) / 20;
    }
  }
}

// A line of 4 MB looks like the same line cut after 30 characters (past the right edge), and a
// tick on its page shapes a few characters, only when the page meets a frame for the first time.
TEST_F(UnitBmpTest, ALineOfMegabytesLooksCutToWhatShowsAndIsShapedOncePerFrame) {
  WriteFrames(500, 300, Patterned);
  bmp_.InitGraphics();
  const std::string huge = testing::Repeat("\x82\xA0", 2 << 20);  // あ
  ShowFirstPage("Before\n" + huge + "\nAfter\n\n");
  const std::vector<std::string> cut = {"Before", huge.substr(0, 60), "After"};

  std::array<bool, UnitBmp::kFrameCount> seen{};
  OffscreenBitmap expected;
  for (int tick = 0; tick < 60; ++tick) {
    const std::size_t shaped = bmp_.BackBuffer().ShapedCharacters();
    Tick();
    const std::int32_t index = bmp_.PortraitIndex();
    const std::size_t now_shaped = bmp_.BackBuffer().ShapedCharacters() - shaped;
    if (seen[index]) {
      EXPECT_EQ(now_shaped, 0u) << tick;
    } else {
      EXPECT_GT(now_shaped, 30u) << tick;
      EXPECT_LT(now_shaped, 300u) << tick;
    }
    seen[index] = true;
    WritePage(expected, bmp_.PortraitFrames()[index], cut);
    ASSERT_TRUE(SamePicture(screen_.last, expected)) << tick;
  }
  EXPECT_GE(std::count(seen.begin(), seen.end(), true), 2);
}

TEST_F(UnitBmpTest, HeatStrokesArePinkAndStayWithinTheirRectangles) {
  WriteSolidFrames(500, 300, kSky);
  bmp_.InitGraphics();
  ShowFirstPage("#heatOn\n#notext\n\n");
  ASSERT_TRUE(story.HeatOn());
  struct Box {
    int left = 500, top = 300, right = -1, bottom = -1;
  } boxes[2];
  for (int tick = 0; tick < 300; ++tick) {
    Tick();
    for (int y = 0; y < 300; ++y) {
      for (int x = 0; x < 500; ++x) {
        const Rgb c = screen_.last.Pixel(x, y);
        if (c == kSky) continue;
        ASSERT_TRUE(testing::IsBlushPink(c)) << x << "," << y;
        const bool first = x >= 60 && x <= 84, second = x >= 122 && x <= 151;
        ASSERT_TRUE((first || second) && y >= 92 && y <= 104) << x << "," << y;
        Box& b = boxes[second];
        b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
      }
    }
  }
  // The strokes reach every edge of both rectangles.
  EXPECT_EQ((std::array{boxes[0].left, boxes[0].top, boxes[0].right, boxes[0].bottom}),
            (std::array{60, 92, 84, 104}));
  EXPECT_EQ((std::array{boxes[1].left, boxes[1].top, boxes[1].right, boxes[1].bottom}),
            (std::array{122, 92, 151, 104}));
}

// One rectangle's strokes as the generator gives them: the start point, then per stroke its
// green-and-blue offset and its end point.
struct Stroke {
  int g, x, y;
};
std::vector<Stroke> ExpectedStrokes(std::uint32_t seed, int x0, int y0, int x1, int y1,
                                    std::uint32_t& seed_after) {
  Random probe(seed);
  std::vector<Stroke> strokes;
  const int start_y = y0 + probe(y1 - y0);
  strokes.push_back({-1, x0 + probe(x1 - x0), start_y});
  for (int i = 0; i < 30; ++i) {
    const int g = probe(96);
    const int y = y0 + probe(y1 - y0);
    strokes.push_back({g, x0 + probe(x1 - x0), y});
  }
  seed_after = probe.Seed();
  return strokes;
}

TEST_F(UnitBmpTest, HeatStrokesDrawYBeforeXAndTheColourBeforeThePoint) {
  WriteSolidFrames(500, 300, kSky);
  bmp_.InitGraphics();
  // Seeds whose first and last strokes have a length and whose last stroke has a colour no
  // other stroke has: the pen's first point is then pink, the last stroke's start pixel shows
  // its colour and its end pixel does not.
  int checked = 0;
  for (std::uint32_t seed = 1; checked < 12; ++seed) {
    std::uint32_t seed_after = 0;
    const std::vector<Stroke> s = ExpectedStrokes(seed, 60, 92, 85, 105, seed_after);
    const Stroke& from = s[29];
    const Stroke& last = s[30];
    const bool unique_colour =
        std::count_if(s.begin(), s.end(), [&](const Stroke& t) { return t.g == last.g; }) == 1;
    const bool first_has_length = s[0].x != s[1].x || s[0].y != s[1].y;
    if (!unique_colour || !first_has_length || (from.x == last.x && from.y == last.y)) continue;
    ++checked;
    bmp_.BackBuffer().Fill(kSky);
    random_.SetSeed(seed);
    bmp_.DrawHeatStrokes(60, 92, 85, 105);
    const Rgb colour{255, std::uint8_t(96 + last.g), std::uint8_t(96 + last.g)};
    EXPECT_EQ(bmp_.BackBuffer().Pixel(from.x, from.y), colour) << "seed " << seed;
    EXPECT_NE(bmp_.BackBuffer().Pixel(last.x, last.y), colour) << "seed " << seed;
    EXPECT_TRUE(testing::IsBlushPink(bmp_.BackBuffer().Pixel(s[0].x, s[0].y))) << "seed " << seed;
    EXPECT_EQ(random_.Seed(), seed_after) << "seed " << seed;
  }
}

TEST_F(UnitBmpTest, DrawHeatDrawsTheLeftRectangleThenTheRightOne) {
  WriteSolidFrames(500, 300, kSky);
  bmp_.InitGraphics();
  std::uint32_t after_left = 0, after_right = 0;
  ExpectedStrokes(77, 60, 92, 85, 105, after_left);
  const std::vector<Stroke> right = ExpectedStrokes(after_left, 122, 92, 152, 105, after_right);
  random_.SetSeed(77);
  bmp_.DrawHeat();
  EXPECT_EQ(random_.Seed(), after_right);
  // The right rectangle's last stroke is drawn last of all: its start shows its colour.
  const Stroke& last = right[30];
  if (right[29].x != last.x || right[29].y != last.y) {
    EXPECT_EQ(bmp_.BackBuffer().Pixel(right[29].x, right[29].y),
              (Rgb{255, std::uint8_t(96 + last.g), std::uint8_t(96 + last.g)}));
  }
}

TEST_F(UnitBmpTest, ASmallFrameLeavesTheRestOfTheBufferAsTheLastTickLeftIt) {
  WriteSolidFrames(200, 100, kSky);
  bmp_.InitGraphics();
  ShowFirstPage("#heatOn\nA line of text\nAnother\n\n#heatOff\n#notext\n\n");
  Tick();
  OffscreenBitmap before;
  CopyPicture(before, bmp_.BackBuffer());
  story.StepStory();  // an empty page, heat off
  ASSERT_EQ(story.PageLineCount(), 0);
  ASSERT_FALSE(story.HeatOn());
  Tick();
  int kept_marks = 0;
  for (int y = 0; y < 300; ++y) {
    for (int x = 0; x < 500; ++x) {
      const Rgb now = screen_.last.Pixel(x, y);
      if (x < 200 && y < 100) {
        ASSERT_EQ(now, kSky) << x << "," << y;
      } else {
        ASSERT_EQ(now, before.Pixel(x, y)) << x << "," << y;
        kept_marks += !(now == Rgb{});  // the last tick's text and strokes on the black
      }
    }
  }
  EXPECT_GT(kept_marks, 50);
}

TEST_F(UnitBmpTest, AFrameThatCannotBeLoadedIsDrawnBlank) {
  WriteSolidFrames(500, 300, kSky);
  files.files.erase(story_files::FramePath(3));
  EXPECT_EQ(testing::ErrorText([&] { bmp_.InitGraphics(); }), BmpCannotOpenText("dat/a3.bmp"));
  for (int i = 0; i < UnitBmp::kFrameCount; ++i) EXPECT_EQ(bmp_.FrameLoaded(i), i < 3) << i;
  EXPECT_EQ(bmp_.PortraitIndex(), -1);

  ShowFirstPage("#heatOn\nText\n\n");
  bool blank_seen = false, frame_seen = false;
  for (int tick = 0; tick < 400; ++tick) {
    Tick();
    const bool loaded = bmp_.PortraitIndex() >= 0 && bmp_.PortraitIndex() < 3;
    const Rgb corner = screen_.last.Pixel(0, 0);
    const Rgb below_text = screen_.last.Pixel(300, 250);
    ASSERT_EQ(corner, loaded ? kSky : UnitBmp::kBlankColour) << bmp_.PortraitIndex();
    ASSERT_EQ(below_text, corner);
    (loaded ? frame_seen : blank_seen) = true;
  }
  EXPECT_TRUE(blank_seen);
  EXPECT_TRUE(frame_seen);
}

TEST_F(UnitBmpTest, AZeroByteFrameIsEmptyAndCopyingItChangesNothing) {
  WriteSolidFrames(500, 300, kSky);
  files.files[story_files::FramePath(0)] = "";
  bmp_.InitGraphics();
  EXPECT_TRUE(bmp_.FrameLoaded(0));
  EXPECT_TRUE(bmp_.PortraitFrames()[0].Empty());
  bmp_.BackBuffer().Fill(kMarker);
  random_.SetSeed(SeedFor(false, 0));  // no wander: frame 0 stays
  Tick();
  EXPECT_EQ(bmp_.PortraitIndex(), 0);
  EXPECT_EQ(screen_.last.Pixel(0, 0), kMarker);
  EXPECT_EQ(screen_.last.Pixel(499, 299), kMarker);
}

TEST_F(UnitBmpTest, FreeGraphicsIsSafeAtAnyTimeAndRenderingAfterItDrawsNothing) {
  bmp_.FreeGraphics();
  Tick();  // never initialised: a 0 by 0 buffer goes to the screen
  EXPECT_TRUE(screen_.last.Empty());
  WriteSolidFrames(500, 300, kSky);
  bmp_.InitGraphics();
  ShowFirstPage("#heatOn\nText\n\n");
  Tick();
  bmp_.FreeGraphics();
  bmp_.FreeGraphics();
  for (int i = 0; i < UnitBmp::kFrameCount; ++i) EXPECT_FALSE(bmp_.FrameLoaded(i)) << i;
  EXPECT_TRUE(bmp_.BackBuffer().Empty());
  Tick(20);
  EXPECT_TRUE(screen_.last.Empty());
  bmp_.InitGraphics();
  Tick();
  EXPECT_EQ(screen_.last.Pixel(0, 0), kSky);
}

}  // namespace
}  // namespace game
