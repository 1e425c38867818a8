// UnitScene: what the picture area shows on each tick of the frame clock, decided here and painted
// by a platform. The portrait wanders one frame up or down at random, the current frame (or a
// blank one) fills the picture, the story's page lines lie over it, and while the story's heat is
// on, two bundles of pink strokes are drawn on the cheeks. The random numbers are drawn in one
// fixed order, so a seed gives the same pictures on every platform.
//
// Painting a Scene on a 500 by 300 picture, in this order:
//  1. blank: the whole picture becomes white (kBlankColour). Otherwise frame `frame`'s picture is
//     copied with its (0, 0) at the picture's (0, 0), clipped; a frame smaller than the picture
//     leaves the rest as the last ticks left it, and an empty (zero-byte) frame changes nothing;
//  2. line i of `lines` (Shift-JIS bytes) in the text face (kFontPoints, bold, kTextColour, no
//     background) with the top-left of its text cell at (kTextX, kTextY + kLineStep * i);
//  3. each of `strokes`, in order, with RasterLine (line_raster.h) in its colour;
//  4. the whole picture to the screen at once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/bmp/bmp_reader.h"
#include "rules/contracts/random.h"
#include "rules/scene/layout_dpi.h"
#include "rules/scene/rgb.h"
#include "rules/story/story_files.h"
#include "rules/story/unit_story.h"

namespace game {

// A 1-pixel line from (x0, y0) to (x1, y1), its end pixel left out (the next stroke starts there).
struct StrokeSegment {
  int x0 = 0;
  int y0 = 0;
  int x1 = 0;
  int y1 = 0;
  Rgb colour;
  bool operator==(const StrokeSegment&) const = default;
};

// One tick's picture. `lines` points into the story's page (no copy): valid until the story's
// next step. Two scenes with the same page_revision show the same lines.
struct Scene {
  std::int32_t frame = -1;  // the portrait index; a frame 0 to 5 when !blank
  bool blank = true;        // the frame cannot be shown: the whole picture is white
  const std::string_view* lines = nullptr;
  int line_count = 0;
  std::uint64_t page_revision = 0;
  bool heat = false;                   // the story's heat is on: `strokes` holds its strokes
  std::vector<StrokeSegment> strokes;  // empty when !heat
};

class UnitScene {
 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 300;
  static constexpr int kFrameCount = story_files::kFrameCount;
  static constexpr int kFontPoints = 14;
  static constexpr bool kTextBold = true;
  static constexpr int kFontPixels = LayoutPixels(kFontPoints);
  static constexpr int kTextX = 230;
  static constexpr int kTextY = 50;
  static constexpr int kLineStep = 20;
  static constexpr int kStrokeCount = 30;
  static constexpr Rgb kTextColour{0, 0, 0};
  static constexpr Rgb kBlankColour{255, 255, 255};
  // The part of a frame that can ever show, whatever its file claims: a frame is always copied
  // with its (0, 0) at the picture's (0, 0) (the portrait's wander picks another frame, never
  // moves one), so no pixel right of or below the picture is ever drawn. Both platforms read the
  // frames keeping only this part, which changes no pixel shown and bounds what a frame costs.
  static constexpr BmpKeep kShownPart{kWidth, kHeight};

  // The generator and the story must outlive the scene. No frame is loaded; the portrait index
  // is -1.
  UnitScene(Random& random, const UnitStory& story);

  // The platform says which frames it holds: frame `index` (0 to 5) was loaded, `width` by
  // `height` pixels (0 by 0 for a zero-byte file). Other indexes are ignored.
  void SetFrameLoaded(int index, int width, int height);
  // No frame is loaded any more (released, or about to be loaded again).
  void ForgetFrames();
  // Whether frame `index` is loaded; false for any index outside 0 to 5.
  bool FrameLoaded(int index) const;
  // Whether frame `index` is loaded and at least as large as the picture, so that copying it
  // leaves nothing of the earlier picture.
  bool FrameCoversPicture(int index) const;

  // Stores `index` as the portrait index when it differs.
  void SetPortrait(std::int32_t index);
  std::int32_t PortraitIndex() const { return portrait_index_; }
  // For the special move's answer, which stores 0 as it is.
  std::int32_t& PortraitIndex() { return portrait_index_; }

  // One tick: when Random(5) is 0, Random(2) moves the portrait one up (1) or one down (0), a
  // move past 0 or 5 being dropped; then, while the story's heat is on, HeatStrokes. A portrait
  // index outside 0 to 5 or an unloaded frame gives a blank scene. The reference stays valid
  // until the next call; its `lines` until the story's next step.
  const Scene& RenderTick();

  // Appends the strokes of one bundle in the rectangle [x0, x1) x [y0, y1): the pen starts at a
  // random point, then 30 strokes each go to a new random point in a random pink
  // RGB(255, 96 + g, 96 + g), g from 0 to 95. Each point draws its y before its x; each stroke
  // draws its colour before its point.
  void HeatStrokes(int x0, int y0, int x1, int y1, std::vector<StrokeSegment>& out);
  // HeatStrokes(60, 92, 85, 105), then HeatStrokes(122, 92, 152, 105).
  void Heat(std::vector<StrokeSegment>& out);

 private:
  struct FrameSize {
    bool loaded = false;
    int width = 0;
    int height = 0;
  };
  void Wander();

  Random& random_;
  const UnitStory& story_;
  std::array<FrameSize, kFrameCount> frames_{};
  std::int32_t portrait_index_ = -1;
  Scene scene_;
};

}  // namespace game
