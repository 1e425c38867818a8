#include "platform/qt/qt_message_wait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace game {

QtMessageWait::QtMessageWait() {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);  // to the millisecond: the render slot's period is 51 ms
}

void QtMessageWait::WaitForMessage(std::optional<std::int32_t> timeout_ms) {
  if (timeout_ms && *timeout_ms <= 0) return;
  if (timeout_ms) timer_.start(*timeout_ms);
  // The timer's own event wakes the dispatcher even though nothing is connected to it.
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  timer_.stop();
}

}  // namespace game
