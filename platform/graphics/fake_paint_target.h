// A screen nobody sees, for running the renderer without a window in tests and benchmarks (linked
// with game_fakes): it counts the pictures it is given, keeps a copy of the last one when asked to,
// and hands each to `on_copy` when one is set (for a digest or a single pixel of every picture).
#pragma once

#ifndef GAME_TEST_DOUBLES
#error "Test doubles are for tests, benchmarks and fuzz targets: link game_fakes there."
#endif

#include <functional>

#include "platform/graphics/paint_target.h"
#include "platform/qt/offscreen_bitmap.h"

namespace game::fakes {

class FakePaintTarget : public PaintTarget {
 public:
  FakePaintTarget() = default;
  explicit FakePaintTarget(bool keep_last) : keep_last(keep_last) {}
  void BlockCopy(const OffscreenBitmap& picture) override {
    ++copies;
    if (keep_last) {
      last.SetSize(picture.Width(), picture.Height());
      last.CopyFrom(picture);
    }
    if (on_copy) on_copy(picture);
  }

  int copies = 0;
  bool keep_last = false;
  OffscreenBitmap last;  // the last picture given, while `keep_last`; empty before the first
  std::function<void(const OffscreenBitmap&)> on_copy;
};

}  // namespace game::fakes
