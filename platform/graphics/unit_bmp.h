// UnitBmp: the picture area. Keeps six portrait frames and a 500 by 300 back buffer, and on every
// tick of the frame clock composes the picture: the portrait wanders one frame up or down at
// random, the current frame is copied into the back buffer, the story's page lines are written
// over it, heat strokes are added while the story has them on, and the whole buffer goes to the
// screen in one block copy.
//
// Frames that cannot be shown. A frame file that cannot be loaded throws its error out of
// InitGraphics (the start-up's error report shows it, naming the file); the frames after it are
// then not loaded either. From then on such a frame, like any frame before InitGraphics or after
// FreeGraphics and any portrait index outside 0 to 5, is drawn as a blank frame: the whole back
// buffer is cleared to white, so the page's black text stays readable and no stroke lingers. A
// frame loaded from a zero-byte file is an empty bitmap: copying it changes nothing.
//
// The page's text is drawn once per page and frame, not on every tick. The first tick that shows
// a page over a frame that covers the whole back buffer draws the lines and keeps what they
// changed (a FrameOverlay); later ticks over that frame paste it, which gives the same pixels. A
// new page (UnitStory::PageRevision) or new frames (InitGraphics, FreeGraphics) drop what was
// kept. Over a frame that does not cover the buffer, the text lies over whatever earlier ticks
// left there, so it is drawn every tick. Drawing a line costs about what shows of it (TextOut),
// however long the line is.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "contracts/file_system.h"
#include "contracts/paint_target.h"
#include "contracts/random.h"
#include "graphics/frame_overlay.h"
#include "graphics/my_cg.h"
#include "qt/offscreen_bitmap.h"
#include "story/unit_story.h"

namespace game {

class UnitBmp {
 public:
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 300;
  static constexpr int kFrameCount = 6;
  static constexpr int kFontPoints = 14;
  static constexpr int kTextX = 230;
  static constexpr int kTextY = 50;
  static constexpr int kLineStep = 20;
  static constexpr int kStrokeCount = 30;
  static constexpr Rgb kTextColour{0, 0, 0};
  static constexpr Rgb kBlankColour{255, 255, 255};

  // The generator, the story, the screen and the files must outlive the renderer. Nothing is loaded
  // yet: the portrait index is -1.
  UnitBmp(Random& random, const UnitStory& story, PaintTarget& screen, FileSystem& files);

  // Makes the back buffer 500 by 300 with the text settings (14 points, bold, black, clear
  // brush), loads the frames from FramePath(0) to FramePath(5) relative to the current folder,
  // then SetPortrait(0). A frame that cannot be loaded throws game::AppError with the bitmap
  // reader's text (bmp_reader.h); the portrait index is then left as it was.
  void InitGraphics();
  // Releases the back buffer, then the frames in index order. Safe at any time, more than once.
  void FreeGraphics();

  // Stores `index` as the portrait index when it differs; draws nothing.
  void SetPortrait(std::int32_t index);

  // Writes each of the page's lines on the back buffer, line i with the top-left of its text cell
  // at (230, 50 + 20 * i).
  void DrawPageLines();
  // Moves the pen to a random point of the rectangle [x0, x1) x [y0, y1), then draws 30 lines,
  // each to a new random point in a random pink RGB(255, 96 + g, 96 + g), g from 0 to 95. Each
  // point draws its y before its x; each line draws its colour before its point. The end pixel
  // of each line is left to the next one.
  void DrawHeatStrokes(int x0, int y0, int x1, int y1);
  // DrawHeatStrokes(60, 92, 85, 105), then DrawHeatStrokes(122, 92, 152, 105).
  void DrawHeat();

  // One tick of the clock's render slot:
  //  1. wander: when Random(5) is 0, Random(2) moves the index one up (1) or one down (0); a
  //     move past 0 or 5 is dropped;
  //  2. the current frame is copied onto the back buffer at (0, 0) (see blank frames above);
  //  3. the page's lines, as DrawPageLines draws them (kept per page and frame, see above);
  //  4. DrawHeat while the story's heat is on;
  //  5. one block copy of the back buffer to the screen.
  // Only step 2 clears the buffer: a frame smaller than 500 by 300 leaves the rest of it as the
  // last ticks left it.
  void RenderFrame();

  OffscreenBitmap& BackBuffer() { return back_buffer_; }
  const APT& BackRows() const { return back_rows_; }
  const std::array<OffscreenBitmap, kFrameCount>& PortraitFrames() const { return frames_; }
  const APT& FrameRows(int index) const { return frame_rows_.at(static_cast<std::size_t>(index)); }
  // Whether frame `index` was loaded by the last InitGraphics and not released since.
  bool FrameLoaded(int index) const;
  std::int32_t PortraitIndex() const { return portrait_index_; }
  // For the special move's answer, which stores 0 as it is.
  std::int32_t& PortraitIndex() { return portrait_index_; }

  // "dat/a" + index + ".bmp".
  static std::string FramePath(int index);

 private:
  void Wander();
  void CopyPortrait();
  void PutPageText();
  bool CoversBackBuffer(std::int32_t index) const;
  void ForgetPageText();
  void LoadFrame(int index);

  Random& random_;
  const UnitStory& story_;
  PaintTarget& screen_;
  FileSystem& files_;
  OffscreenBitmap back_buffer_;
  APT back_rows_;
  std::array<OffscreenBitmap, kFrameCount> frames_;
  std::array<APT, kFrameCount> frame_rows_;
  std::array<bool, kFrameCount> loaded_{};
  std::int32_t portrait_index_ = -1;
  // The page's text over each frame, for the page of `text_revision_`.
  std::array<std::optional<FrameOverlay>, kFrameCount> page_text_;
  std::uint64_t text_revision_ = 0;
};

}  // namespace game
