// The paint box: a widget that shows the last picture block-copied to it. It draws nothing of its
// own.
#pragma once

#include <QWidget>

#include "contracts/paint_target.h"
#include "qt/offscreen_bitmap.h"

namespace game {

class PaintBox : public QWidget, public PaintTarget {
 public:
  using QWidget::QWidget;

  // Copies `picture` into the box's own pixels at (0, 0), clipped to the box, and repaints now
  // (not on a later paint request). The box's pixels are its own: later drawing on `picture`
  // does not show until the next copy.
  void BlockCopy(const OffscreenBitmap& picture) override;

  const OffscreenBitmap& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  OffscreenBitmap picture_;
};

}  // namespace game
