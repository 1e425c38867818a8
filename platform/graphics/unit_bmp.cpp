#include "graphics/unit_bmp.h"

namespace game {

UnitBmp::UnitBmp(Random& random, const UnitStory& story, PaintTarget& screen, FileSystem& files)
    : random_(random), story_(story), screen_(screen), files_(files) {}

std::string UnitBmp::FramePath(int index) { return "dat/a" + std::to_string(index) + ".bmp"; }

void UnitBmp::InitGraphics() {
  back_buffer_.Reset();
  SizeAndPrepare(back_buffer_, back_rows_, kWidth, kHeight);
  back_buffer_.SetFontSize(kFontPoints);
  back_buffer_.SetFontBold(true);
  back_buffer_.SetFontColor(kTextColour);
  back_buffer_.SetBrushStyle(OffscreenBitmap::BrushStyle::kClear);
  loaded_.fill(false);
  ForgetPageText();
  for (int index = 0; index < kFrameCount; ++index) LoadFrame(index);
  SetPortrait(0);
}

void UnitBmp::LoadFrame(int index) {
  const auto i = static_cast<std::size_t>(index);
  frames_[i].Reset();
  frame_rows_[i].clear();
  frames_[i].LoadFromFile(files_, FramePath(index));
  PrepareRows(frames_[i], frame_rows_[i]);
  loaded_[i] = true;
}

void UnitBmp::FreeGraphics() {
  back_buffer_.Reset();
  back_rows_.clear();
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    frames_[i].Reset();
    frame_rows_[i].clear();
    loaded_[i] = false;
  }
  ForgetPageText();
}

void UnitBmp::ForgetPageText() {
  for (std::optional<FrameOverlay>& text : page_text_) text.reset();
}

bool UnitBmp::FrameLoaded(int index) const {
  return index >= 0 && index < kFrameCount && loaded_[static_cast<std::size_t>(index)];
}

void UnitBmp::SetPortrait(std::int32_t index) {
  if (portrait_index_ != index) portrait_index_ = index;
}

void UnitBmp::DrawPageLines() {
  for (int i = 0; i < story_.PageLineCount(); ++i) {
    back_buffer_.TextOut(kTextX, kTextY + kLineStep * i,
                         story_.PageLines()[static_cast<std::size_t>(i)]);
  }
}

void UnitBmp::DrawHeatStrokes(int x0, int y0, int x1, int y1) {
  int y = y0 + random_(y1 - y0);
  int x = x0 + random_(x1 - x0);
  back_buffer_.MoveTo(x, y);
  for (int stroke = 0; stroke < kStrokeCount; ++stroke) {
    const auto g = static_cast<std::uint8_t>(96 + random_(96));
    back_buffer_.SetPenColor({255, g, g});
    y = y0 + random_(y1 - y0);
    x = x0 + random_(x1 - x0);
    back_buffer_.LineTo(x, y);
  }
}

void UnitBmp::DrawHeat() {
  DrawHeatStrokes(60, 92, 85, 105);
  DrawHeatStrokes(122, 92, 152, 105);
}

void UnitBmp::Wander() {
  if (random_(5) != 0) return;
  if (random_(2) != 0) {
    if (portrait_index_ < kFrameCount - 1) SetPortrait(portrait_index_ + 1);
  } else if (portrait_index_ > 0) {
    SetPortrait(portrait_index_ - 1);
  }
}

void UnitBmp::CopyPortrait() {
  if (FrameLoaded(portrait_index_)) {
    CopyWhole(back_buffer_, frames_[static_cast<std::size_t>(portrait_index_)]);
  } else {
    back_buffer_.Fill(kBlankColour);
  }
}

bool UnitBmp::CoversBackBuffer(std::int32_t index) const {
  if (!FrameLoaded(index)) return false;
  const OffscreenBitmap& frame = frames_[static_cast<std::size_t>(index)];
  return frame.Width() >= back_buffer_.Width() && frame.Height() >= back_buffer_.Height();
}

void UnitBmp::PutPageText() {
  if (story_.PageRevision() != text_revision_) {
    ForgetPageText();
    text_revision_ = story_.PageRevision();
  }
  if (!CoversBackBuffer(portrait_index_)) return DrawPageLines();
  std::optional<FrameOverlay>& text = page_text_[static_cast<std::size_t>(portrait_index_)];
  if (text) return text->PasteOnto(back_buffer_);
  DrawPageLines();
  text = FrameOverlay::Capture(back_buffer_, frames_[static_cast<std::size_t>(portrait_index_)]);
}

void UnitBmp::RenderFrame() {
  Wander();
  CopyPortrait();
  PutPageText();
  if (story_.HeatOn()) DrawHeat();
  screen_.BlockCopy(back_buffer_);
}

}  // namespace game
