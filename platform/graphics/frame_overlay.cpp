#include "platform/graphics/frame_overlay.h"

#include <algorithm>
#include <cstring>

namespace game {
namespace {

constexpr int kPixel = OffscreenBitmap::kBytesPerPixel;

// The first and one past the last pixel of a row where `a` and `b` differ; first == end when none.
struct Span {
  int first;
  int end;
};

Span Differing(const std::uint8_t* a, const std::uint8_t* b, int width) {
  int first = 0;
  while (first < width && std::memcmp(a + first * kPixel, b + first * kPixel, kPixel) == 0) {
    ++first;
  }
  int end = width;
  while (end > first && std::memcmp(a + (end - 1) * kPixel, b + (end - 1) * kPixel, kPixel) == 0) {
    --end;
  }
  return {first, end};
}

}  // namespace

FrameOverlay FrameOverlay::Capture(const OffscreenBitmap& picture, const OffscreenBitmap& frame) {
  const int width = picture.Width();
  int left = width, right = 0, top = -1, bottom = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    if (std::memcmp(picture.Row(y), frame.Row(y), std::size_t(width) * kPixel) == 0) continue;
    const Span span = Differing(picture.Row(y), frame.Row(y), width);
    left = std::min(left, span.first);
    right = std::max(right, span.end);
    if (top < 0) top = y;
    bottom = y + 1;
  }
  FrameOverlay overlay;
  if (top < 0) return overlay;
  overlay.left_ = left;
  overlay.top_ = top;
  overlay.width_ = right - left;
  overlay.height_ = bottom - top;
  const std::size_t row_bytes = std::size_t(overlay.width_) * kPixel;
  overlay.pixels_.resize(row_bytes * std::size_t(overlay.height_));
  for (int y = top; y < bottom; ++y) {
    std::memcpy(overlay.pixels_.data() + std::size_t(y - top) * row_bytes,
                picture.Row(y) + left * kPixel, row_bytes);
  }
  return overlay;
}

void FrameOverlay::PasteOnto(OffscreenBitmap& picture) const {
  const std::size_t row_bytes = std::size_t(width_) * kPixel;
  for (int y = 0; y < height_; ++y) {
    std::memcpy(picture.Row(top_ + y) + left_ * kPixel, pixels_.data() + std::size_t(y) * row_bytes,
                row_bytes);
  }
}

}  // namespace game
