// The key pre-filter: consumes the Alt and F10 key presses (and their shortcut look-ups) before
// any widget sees them, so they never open or focus a menu. Other keys pass on.
#pragma once

#include <QObject>

namespace game {

class MenuKeyFilter : public QObject {
 public:
  using QObject::QObject;

  // True for the key presses the filter consumes.
  static bool IsMenuKey(int qt_key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace game
