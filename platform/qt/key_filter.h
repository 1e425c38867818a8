// The key pre-filter, installed on the application so that it sees every key before any widget:
//  - it consumes the Alt and F10 key presses (and their shortcut look-ups), so they never open or
//    focus a menu;
//  - Return and keypad Enter press the focused push button, as Space does (Qt's push buttons
//    outside dialogs ignore them). Buttons that answer Return themselves, the default buttons of
//    dialogs and message boxes, are left to Qt. A held key presses once.
// Every other key passes on.
#pragma once

#include <QObject>

namespace game {

class KeyFilter : public QObject {
 public:
  using QObject::QObject;

  // True for the key presses the filter consumes.
  static bool IsMenuKey(int qt_key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace game
