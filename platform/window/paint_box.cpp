#include "platform/window/paint_box.h"

#include <QAccessible>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <utility>

#include "platform/graphics/unit_bmp.h"
#include "rules/story/unit_story.h"

namespace game {

PaintBox::PaintBox(QWidget* parent)
    : QWidget(parent),
      page_label_(new SpokenLabel(
          this, QRect(UnitBmp::kTextX, UnitBmp::kTextY, UnitBmp::kWidth - UnitBmp::kTextX,
                      UnitBmp::kLineStep * UnitStory::kMaxPageLines))) {}

void PaintBox::BlockCopy(const OffscreenBitmap& picture) {
  picture_.SetSize(width(), height());  // allocates only when the box's size has changed
  picture_.CopyFrom(picture);
  repaint();
}

void PaintBox::SetPageText(const QString& text) {
  const QString old = std::exchange(page_text_, text);
  QAccessibleTextUpdateEvent update(this, 0, old, text);
  QAccessible::updateAccessibility(&update);
  page_label_->Announce(QString(text).replace('\n', ' '));
}

void PaintBox::paintEvent(QPaintEvent*) {
  if (picture_.Empty()) return;
  QPainter painter(this);
  // At a whole device-pixel ratio each pixel becomes a square block of pixels; at a fractional
  // one, blocks of unequal size would make the letters uneven, so the picture is smoothed.
  const qreal ratio = devicePixelRatioF();
  painter.setRenderHint(QPainter::SmoothPixmapTransform, ratio != std::floor(ratio));
  painter.drawImage(0, 0, picture_.Image());
}

}  // namespace game
