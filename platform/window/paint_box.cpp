#include "window/paint_box.h"

#include <QImage>
#include <QPainter>

namespace game {

void PaintBox::BlockCopy(const OffscreenBitmap& picture) {
  picture_.SetSize(width(), height());  // allocates only when the box's size has changed
  picture_.CopyFrom(picture);
  repaint();
}

void PaintBox::paintEvent(QPaintEvent*) {
  if (picture_.Empty()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, picture_.Image());
}

}  // namespace game
