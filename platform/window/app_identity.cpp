#include "window/app_identity.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <numbers>

namespace game {

QIcon GameIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(60, 110, 60), 1.5));
  painter.setBrush(QColor(192, 220, 192));
  painter.drawEllipse(QRectF(1, 1, 30, 30));
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 13.0 : 5.5;
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    const QPointF point(16 + radius * std::cos(angle), 16.5 + radius * std::sin(angle));
    if (i == 0) {
      star.moveTo(point);
    } else {
      star.lineTo(point);
    }
  }
  star.closeSubpath();
  painter.setPen(QPen(QColor(200, 40, 110), 1.2));
  painter.setBrush(QColor(255, 120, 170));
  painter.drawPath(star);
  return QIcon(pixmap);
}

}  // namespace game
