// UnitBmp: the picture area on the desktop. Keeps six portrait frames and a 500 by 300 back
// buffer, and on every tick of the frame clock paints what the scene (scene/unit_scene.h) decides:
// the frame or a blank one, the story's page lines, the heat strokes, then the whole buffer goes to
// the screen in one block copy.
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
#include <vector>

#include "platform/graphics/frame_overlay.h"
#include "platform/graphics/my_cg.h"
#include "platform/graphics/paint_target.h"
#include "platform/qt/offscreen_bitmap.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/random.h"
#include "rules/scene/unit_scene.h"
#include "rules/session/session_picture.h"
#include "rules/story/unit_story.h"

namespace game {

class UnitBmp : public SessionPicture {
 public:
  static constexpr int kWidth = UnitScene::kWidth;
  static constexpr int kHeight = UnitScene::kHeight;
  static constexpr int kFrameCount = UnitScene::kFrameCount;
  static constexpr int kFontPoints = UnitScene::kFontPoints;
  static constexpr bool kTextBold = UnitScene::kTextBold;
  static constexpr int kTextX = UnitScene::kTextX;
  static constexpr int kTextY = UnitScene::kTextY;
  static constexpr int kLineStep = UnitScene::kLineStep;
  static constexpr int kStrokeCount = UnitScene::kStrokeCount;
  static constexpr Rgb kTextColour = UnitScene::kTextColour;
  static constexpr Rgb kBlankColour = UnitScene::kBlankColour;

  // The generator, the story, the screen and the files must outlive the renderer. Nothing is loaded
  // yet: the portrait index is -1.
  UnitBmp(Random& random, const UnitStory& story, PaintTarget& screen, FileSystem& files);

  // Makes the back buffer 500 by 300 with the text settings (14 points, bold, black, clear
  // brush), loads the frames from story_files::FramePath(0) to (5) relative to the current folder,
  // then SetPortrait(0). A frame that cannot be loaded throws game::AppError with the bitmap
  // reader's text (bmp_reader.h); the portrait index is then left as it was.
  void InitGraphics() override;
  // Releases the back buffer, then the frames in index order. Safe at any time, more than once.
  void FreeGraphics() override;

  // Stores `index` as the portrait index when it differs; draws nothing.
  void SetPortrait(std::int32_t index) { scene_.SetPortrait(index); }

  // Writes each of the page's lines on the back buffer, line i with the top-left of its text cell
  // at (230, 50 + 20 * i).
  void DrawPageLines();
  // Draws the strokes of UnitScene::HeatStrokes(x0, y0, x1, y1) on the back buffer.
  void DrawHeatStrokes(int x0, int y0, int x1, int y1);
  // Draws the strokes of UnitScene::Heat on the back buffer.
  void DrawHeat();

  // One tick of the clock's render slot: Paint(Rules().RenderTick()).
  void RenderFrame() override;
  // Paints `scene` as unit_scene.h says: the frame copied onto the back buffer at (0, 0) or the
  // whole buffer white, the page's lines (kept per page and frame, see above), the strokes, then
  // one block copy of the back buffer to the screen. Only a blank frame clears the buffer: a frame
  // smaller than 500 by 300 leaves the rest of it as the last ticks left it.
  void Paint(const game::Scene& scene);

  // What the picture shows; it knows which frames InitGraphics loaded.
  UnitScene& Rules() { return scene_; }

  OffscreenBitmap& BackBuffer() { return back_buffer_; }
  const APT& BackRows() const { return back_rows_; }
  const std::array<OffscreenBitmap, kFrameCount>& PortraitFrames() const { return frames_; }
  const APT& FrameRows(int index) const { return frame_rows_.at(static_cast<std::size_t>(index)); }
  // Whether frame `index` was loaded by the last InitGraphics and not released since.
  bool FrameLoaded(int index) const { return scene_.FrameLoaded(index); }
  std::int32_t PortraitIndex() const { return scene_.PortraitIndex(); }
  // For the special move's answer, which stores 0 as it is.
  std::int32_t& PortraitIndex() override { return scene_.PortraitIndex(); }
  // What the back buffer's face shows of `line` from the text's left edge to the picture's right.
  std::string_view VisibleHead(std::string_view line) override {
    return back_buffer_.VisibleHead(kTextX, line);
  }

 private:
  void CopyPortrait(const game::Scene& scene);
  void PutPageText(const game::Scene& scene);
  void DrawLines(const std::string_view* lines, int count);
  void DrawStrokes(const std::vector<StrokeSegment>& strokes);
  void ForgetPageText();
  void LoadFrame(int index);

  UnitScene scene_;
  const UnitStory& story_;
  PaintTarget& screen_;
  FileSystem& files_;
  OffscreenBitmap back_buffer_;
  APT back_rows_;
  std::array<OffscreenBitmap, kFrameCount> frames_;
  std::array<APT, kFrameCount> frame_rows_;
  // The page's text over each frame, for the page of `text_revision_`.
  std::array<std::optional<FrameOverlay>, kFrameCount> page_text_;
  std::uint64_t text_revision_ = 0;
};

}  // namespace game
