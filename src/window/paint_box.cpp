#include "window/paint_box.h"

#include <QPainter>

namespace game {

void PaintBox::BlockCopy(const QImage& picture) {
  picture_ = picture;  // shared, not copied: the buffer is copied only if it is drawn on again
  repaint();
}

void PaintBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

}  // namespace game
