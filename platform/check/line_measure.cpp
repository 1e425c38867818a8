#include "platform/check/line_measure.h"

#include <QFontMetrics>

#include "platform/graphics/unit_bmp.h"
#include "platform/qt/fonts.h"
#include "platform/qt/offscreen_bitmap.h"

namespace game::check {

LineMeasure::LineMeasure()
    : font_(CanvasGothicFont(FontPixelSize(UnitBmp::kFontPoints, kCanvasDotsPerInch),
                             UnitBmp::kTextBold)) {}

int LineMeasure::Width(std::string_view sjis) {
  return QFontMetrics(font_).horizontalAdvance(decoder_.Decode(sjis));
}

}  // namespace game::check
