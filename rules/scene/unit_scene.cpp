#include "rules/scene/unit_scene.h"

namespace game {

std::string UnitScene::FramePath(int index) { return "dat/a" + std::to_string(index) + ".bmp"; }

UnitScene::UnitScene(Random& random, const UnitStory& story) : random_(random), story_(story) {
  scene_.strokes.reserve(2 * kStrokeCount);
}

void UnitScene::SetFrameLoaded(int index, int width, int height) {
  if (index < 0 || index >= kFrameCount) return;
  frames_[static_cast<std::size_t>(index)] = {true, width, height};
}

void UnitScene::ForgetFrames() { frames_.fill({}); }

bool UnitScene::FrameLoaded(int index) const {
  return index >= 0 && index < kFrameCount && frames_[static_cast<std::size_t>(index)].loaded;
}

bool UnitScene::FrameCoversPicture(int index) const {
  if (!FrameLoaded(index)) return false;
  const FrameSize& frame = frames_[static_cast<std::size_t>(index)];
  return frame.width >= kWidth && frame.height >= kHeight;
}

void UnitScene::SetPortrait(std::int32_t index) {
  if (portrait_index_ != index) portrait_index_ = index;
}

void UnitScene::Wander() {
  if (random_(5) != 0) return;
  if (random_(2) != 0) {
    if (portrait_index_ < kFrameCount - 1) SetPortrait(portrait_index_ + 1);
  } else if (portrait_index_ > 0) {
    SetPortrait(portrait_index_ - 1);
  }
}

void UnitScene::HeatStrokes(int x0, int y0, int x1, int y1, std::vector<StrokeSegment>& out) {
  int y = y0 + random_(y1 - y0);
  int x = x0 + random_(x1 - x0);
  for (int stroke = 0; stroke < kStrokeCount; ++stroke) {
    const auto g = static_cast<std::uint8_t>(96 + random_(96));
    const int next_y = y0 + random_(y1 - y0);
    const int next_x = x0 + random_(x1 - x0);
    out.push_back({x, y, next_x, next_y, {255, g, g}});
    x = next_x;
    y = next_y;
  }
}

void UnitScene::Heat(std::vector<StrokeSegment>& out) {
  HeatStrokes(60, 92, 85, 105, out);
  HeatStrokes(122, 92, 152, 105, out);
}

const Scene& UnitScene::RenderTick() {
  Wander();
  scene_.frame = portrait_index_;
  scene_.blank = !FrameLoaded(portrait_index_);
  scene_.lines = story_.PageLines().data();
  scene_.line_count = story_.PageLineCount();
  scene_.page_revision = story_.PageRevision();
  scene_.heat = story_.HeatOn();
  scene_.strokes.clear();
  if (scene_.heat) Heat(scene_.strokes);
  return scene_;
}

}  // namespace game
