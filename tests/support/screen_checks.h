// What the end-to-end tests look for on a screenshot, in client-area coordinates.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdlib>

#include "tests/support/blush_colour.h"

namespace game::testing {

// A push button's face: light grey.
inline bool LooksLikeButton(const QImage& shot, const QRect& client, int x, int y) {
  const QColor c = shot.pixelColor(client.x() + x, client.y() + y);
  return c.red() > 200 && c.green() > 200 && c.blue() > 200 && std::abs(c.red() - c.blue()) < 20;
}

// How many pixels of `area` are dark like black text.
inline int DarkPixels(const QImage& shot, const QRect& client, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = shot.pixelColor(client.x() + x, client.y() + y);
      if (c.red() < 80 && c.green() < 80 && c.blue() < 80) ++dark;
    }
  }
  return dark;
}

// How many pixels of `area` are one of the blush strokes' pinks.
inline int PinkPixels(const QImage& shot, const QRect& client, const QRect& area) {
  int pink = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = shot.pixelColor(client.x() + x, client.y() + y);
      pink += IsBlushPink(c.red(), c.green(), c.blue());
    }
  }
  return pink;
}

// The text row `row` of the page: x 230 to the right edge, 20 pixels from y = 50 + 20 * row.
inline QRect TextRow(int row) { return QRect(230, 50 + 20 * row, 270, 20); }

}  // namespace game::testing
