#include "platform/window/app_identity.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>
#include <numbers>

namespace game {
namespace {

constexpr double kGrid = 32;

struct Outline {
  QColor fill;
  QColor line;
  double line_width;
};

const QPointF kDiscCentre(16, 16);
constexpr double kDiscRadius = 15;
const Outline kDisc{QColor(192, 220, 192), QColor(60, 110, 60), 1.5};
const Outline kStar{QColor(255, 120, 170), QColor(200, 40, 110), 1.2};

// Five points of radius 13 and five inner corners of radius 5.5, the first point straight up.
QPolygonF StarCorners() {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    const double radius = i % 2 == 0 ? 13.0 : 5.5;
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    star << QPointF(16 + radius * std::cos(angle), 16.5 + radius * std::sin(angle));
  }
  return star;
}

void UseOutline(QPainter& painter, const Outline& outline) {
  painter.setPen(QPen(outline.line, outline.line_width));  // joins are bevelled
  painter.setBrush(outline.fill);
}

QString SvgPaint(const Outline& outline) {
  return QStringLiteral(R"(fill="%1" stroke="%2" stroke-width="%3" stroke-linejoin="bevel")")
      .arg(outline.fill.name(), outline.line.name())
      .arg(outline.line_width);
}

}  // namespace

QImage GameIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);
  UseOutline(painter, kDisc);
  painter.drawEllipse(kDiscCentre, kDiscRadius, kDiscRadius);
  UseOutline(painter, kStar);
  painter.drawPolygon(StarCorners());
  return image;
}

QString GameIconSvg() {
  QStringList corners;
  for (const QPointF& corner : StarCorners()) {
    corners << QStringLiteral("%1,%2").arg(corner.x(), 0, 'f', 3).arg(corner.y(), 0, 'f', 3);
  }
  return QStringLiteral(
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
             "viewBox=\"0 0 %1 %1\">\n"
             "  <circle cx=\"%2\" cy=\"%3\" r=\"%4\" %5/>\n"
             "  <polygon points=\"%6\" %7/>\n"
             "</svg>\n")
      .arg(kGrid)
      .arg(kDiscCentre.x())
      .arg(kDiscCentre.y())
      .arg(kDiscRadius)
      .arg(SvgPaint(kDisc), corners.join(' '), SvgPaint(kStar));
}

QIcon GameIcon() { return QIcon(QPixmap::fromImage(GameIconImage(32))); }

}  // namespace game
