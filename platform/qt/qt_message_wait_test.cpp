#include "qt/qt_message_wait.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QObject>

namespace game {
namespace {

// Counts the events of one custom type it receives.
class Receiver : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() != kType) return QObject::event(e);
    ++received;
    return true;
  }
  static constexpr auto kType = static_cast<QEvent::Type>(QEvent::User + 77);
  int received = 0;
};

TEST(QtMessageWait, EndsAtTheTimeoutNeverBeforeOrAtOnceForAMessageWhichItDispatches) {
  QtMessageWait wait;
  QCoreApplication::processEvents();  // nothing left over from earlier tests
  QElapsedTimer timer;

  timer.start();
  wait.WaitForMessage(40);
  EXPECT_GE(timer.elapsed(), 40);

  Receiver receiver;
  QCoreApplication::postEvent(&receiver, new QEvent(Receiver::kType));
  timer.restart();
  wait.WaitForMessage(5000);
  EXPECT_LT(timer.elapsed(), 2500);
  EXPECT_EQ(receiver.received, 1);

  timer.restart();
  wait.WaitForMessage(0);
  wait.WaitForMessage(-8);
  EXPECT_LT(timer.elapsed(), 2500);
}

}  // namespace
}  // namespace game
