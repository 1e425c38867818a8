#include "platform/qt/key_filter.h"

#include <QKeyEvent>
#include <QPushButton>

namespace game {
namespace {

// Presses `watched` when it is a focused push button that does not answer Return itself and
// `key` is Return or Enter; whether the key was used up.
bool PressedWithEnter(QObject* watched, const QKeyEvent& key) {
  if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
  auto* button = qobject_cast<QPushButton*>(watched);
  if (button == nullptr || !button->hasFocus() || button->autoDefault() || button->isDefault()) {
    return false;
  }
  if (!key.isAutoRepeat()) button->click();
  return true;
}

}  // namespace

bool KeyFilter::IsMenuKey(int qt_key) { return qt_key == Qt::Key_Alt || qt_key == Qt::Key_F10; }

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::ShortcutOverride) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (IsMenuKey(key.key())) return true;
    if (type == QEvent::KeyPress && PressedWithEnter(watched, key)) return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace game
