#include "platform/graphics/unit_bmp.h"

#include "rules/scene/line_raster.h"

namespace game {

UnitBmp::UnitBmp(Random& random, const UnitStory& story, PaintTarget& screen, FileSystem& files)
    : scene_(random, story), story_(story), screen_(screen), files_(files) {}

void UnitBmp::InitGraphics() {
  back_buffer_.Reset();
  SizeAndPrepare(back_buffer_, back_rows_, kWidth, kHeight);
  back_buffer_.SetFontSize(kFontPoints);
  back_buffer_.SetFontBold(kTextBold);
  back_buffer_.SetFontColor(kTextColour);
  back_buffer_.SetBrushStyle(OffscreenBitmap::BrushStyle::kClear);
  scene_.ForgetFrames();
  ForgetPageText();
  for (int index = 0; index < kFrameCount; ++index) LoadFrame(index);
  SetPortrait(0);
}

void UnitBmp::LoadFrame(int index) {
  const auto i = static_cast<std::size_t>(index);
  frames_[i].Reset();
  frame_rows_[i].clear();
  frames_[i].LoadFromFile(files_, story_files::FramePath(index), UnitScene::kShownPart);
  PrepareRows(frames_[i], frame_rows_[i]);
  scene_.SetFrameLoaded(index, frames_[i].Width(), frames_[i].Height());
}

void UnitBmp::FreeGraphics() {
  back_buffer_.Reset();
  back_rows_.clear();
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    frames_[i].Reset();
    frame_rows_[i].clear();
  }
  scene_.ForgetFrames();
  ForgetPageText();
}

void UnitBmp::ForgetPageText() {
  for (std::optional<FrameOverlay>& text : page_text_) text.reset();
}

void UnitBmp::DrawLines(const std::string_view* lines, int count) {
  for (int i = 0; i < count; ++i) back_buffer_.TextOut(kTextX, kTextY + kLineStep * i, lines[i]);
}

void UnitBmp::DrawPageLines() { DrawLines(story_.PageLines().data(), story_.PageLineCount()); }

void UnitBmp::DrawStrokes(const std::vector<StrokeSegment>& strokes) {
  for (const StrokeSegment& s : strokes) {
    RasterLine(s.x0, s.y0, s.x1, s.y1, back_buffer_.Width(), back_buffer_.Height(),
               [&](int x, int y) { back_buffer_.SetPixel(x, y, s.colour); });
  }
}

void UnitBmp::DrawHeatStrokes(int x0, int y0, int x1, int y1) {
  std::vector<StrokeSegment> strokes;
  scene_.HeatStrokes(x0, y0, x1, y1, strokes);
  DrawStrokes(strokes);
}

void UnitBmp::DrawHeat() {
  std::vector<StrokeSegment> strokes;
  scene_.Heat(strokes);
  DrawStrokes(strokes);
}

void UnitBmp::CopyPortrait(const game::Scene& scene) {
  if (scene.blank) {
    back_buffer_.Fill(kBlankColour);
  } else {
    CopyWhole(back_buffer_, frames_[static_cast<std::size_t>(scene.frame)]);
  }
}

void UnitBmp::PutPageText(const game::Scene& scene) {
  if (scene.page_revision != text_revision_) {
    ForgetPageText();
    text_revision_ = scene.page_revision;
  }
  if (scene.blank || !scene_.FrameCoversPicture(scene.frame)) {
    return DrawLines(scene.lines, scene.line_count);
  }
  const auto frame = static_cast<std::size_t>(scene.frame);
  std::optional<FrameOverlay>& text = page_text_[frame];
  if (text) return text->PasteOnto(back_buffer_);
  DrawLines(scene.lines, scene.line_count);
  text = FrameOverlay::Capture(back_buffer_, frames_[frame]);
}

void UnitBmp::Paint(const game::Scene& scene) {
  CopyPortrait(scene);
  PutPageText(scene);
  DrawStrokes(scene.strokes);
  screen_.BlockCopy(back_buffer_);
}

void UnitBmp::RenderFrame() { Paint(scene_.RenderTick()); }

}  // namespace game
