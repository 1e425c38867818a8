// FrameOverlay: what was drawn over a frame, kept so that it can be put over the same frame again
// without drawing it again. It holds the smallest rectangle outside of which the picture equals
// the frame, with the picture's pixels in it; pasting it over a copy of the frame gives back the
// picture exactly, whatever was drawn (anti-aliased text included).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/qt/offscreen_bitmap.h"

namespace game {

class FrameOverlay {
 public:
  // Nothing: pasting changes nothing.
  FrameOverlay() = default;

  // What `picture` holds over `frame`. The frame must cover the picture (at least as wide and as
  // high; its pixels beyond the picture's edges do not count).
  static FrameOverlay Capture(const OffscreenBitmap& picture, const OffscreenBitmap& frame);

  // Writes the kept pixels at their place; the rest of `picture` is left as it is. `picture` must
  // have the size of the one captured.
  void PasteOnto(OffscreenBitmap& picture) const;

  bool Empty() const { return width_ == 0; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> pixels_;  // the rectangle's rows, top to bottom
};

}  // namespace game
