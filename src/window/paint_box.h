// The paint box: a widget that shows the last picture handed to it. It draws nothing of its own.
#pragma once

#include <QImage>
#include <QWidget>

namespace game {

class PaintBox : public QWidget {
 public:
  using QWidget::QWidget;

  // Shows `picture` at (0, 0) now, not on a later paint request.
  void BlockCopy(const QImage& picture);

  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace game
