#include "qt/key_filter.h"

#include <QKeyEvent>

namespace game {

bool MenuKeyFilter::IsMenuKey(int qt_key) { return qt_key == Qt::Key_Alt || qt_key == Qt::Key_F10; }

bool MenuKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride) {
    if (IsMenuKey(static_cast<QKeyEvent*>(event)->key())) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace game
