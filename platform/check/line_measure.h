// The width of a page line as the renderer draws it: the back buffer's face (the Japanese Gothic
// family list), at the renderer's 14 points bold at the screen's dots per inch, the line decoded
// from Shift-JIS as for drawing. Needs the application object (fonts).
#pragma once

#include <QFont>
#include <string_view>

#include "platform/qt/sjis_decoder.h"

namespace game::check {

class LineMeasure {
 public:
  LineMeasure();
  // The advance of `sjis` in pixels: where a next character would begin.
  int Width(std::string_view sjis);
  const QFont& Font() const { return font_; }

 private:
  QFont font_;
  SjisDecoder decoder_;
};

}  // namespace game::check
