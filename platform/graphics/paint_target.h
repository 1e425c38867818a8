// The screen as the renderer (UnitBmp) sees it. It belongs to the desktop platform: a picture is
// the platform's own off-screen bitmap. The window's drawing area (platform/window/paint_box.h) is
// the real one; fake_paint_target.h stands in for it.
#pragma once

namespace game {

class OffscreenBitmap;

// Where a finished picture is shown: the screen's drawing area.
class PaintTarget {
 public:
  virtual ~PaintTarget() = default;
  // Shows `picture` at the area's (0, 0), clipped to the area, now (not on a later repaint).
  virtual void BlockCopy(const OffscreenBitmap& picture) = 0;
};

}  // namespace game
