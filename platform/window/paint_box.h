// The paint box: a widget that shows the last picture block-copied to it. It draws nothing of its
// own. The picture keeps its pixel size in the window's logical pixels: on a screen with a
// device-pixel ratio it is shown scaled by that ratio. For assistive technology it also holds
// the page's text, as its own text and as a label inside it over the lines (accessibility.h,
// spoken_text.h).
#pragma once

#include <QWidget>

#include "platform/graphics/paint_target.h"
#include "platform/qt/offscreen_bitmap.h"
#include "platform/window/spoken_text.h"

namespace game {

class PaintBox : public QWidget, public PaintTarget {
 public:
  explicit PaintBox(QWidget* parent = nullptr);

  // Copies `picture` into the box's own pixels at (0, 0), clipped to the box, and repaints now
  // (not on a later paint request). The box's pixels are its own: later drawing on `picture`
  // does not show until the next copy.
  void BlockCopy(const OffscreenBitmap& picture) override;

  const OffscreenBitmap& Picture() const { return picture_; }

  // The page as assistive technology reads it, its lines joined by line feeds. Each new text is
  // announced, even one equal to the last: the picture's text changes, so does its label (the
  // lines joined by spaces: a braille line has no line breaks), and it is shown anew, which makes
  // a screen reader speak it and put it on the braille line.
  void SetPageText(const QString& text);
  const QString& PageText() const { return page_text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  OffscreenBitmap picture_;
  QString page_text_;
  SpokenLabel* page_label_;
};

}  // namespace game
