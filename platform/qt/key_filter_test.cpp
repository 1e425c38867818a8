#include "platform/qt/key_filter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace game {
namespace {

// A button that counts the key presses it receives.
class CountingButton : public QPushButton {
 public:
  int presses = 0;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    ++presses;
    QPushButton::keyPressEvent(e);
  }
};

TEST(KeyFilter, ConsumesAltAndF10AndPassesOtherKeys) {
  KeyFilter filter;
  qApp->installEventFilter(&filter);
  CountingButton button;
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });

  const struct {
    int key;
    bool reaches_button;
  } cases[] = {{Qt::Key_Alt, false}, {Qt::Key_F10, false}, {Qt::Key_Space, true},
               {Qt::Key_A, true},    {Qt::Key_F9, true},   {Qt::Key_Return, true}};
  for (const auto& c : cases) {
    const int before = button.presses;
    QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
    QApplication::sendEvent(&button, &press);
    EXPECT_EQ(button.presses - before, c.reaches_button ? 1 : 0) << c.key;
  }
  // Space pressed and released on a push button clicks it.
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
  QApplication::sendEvent(&button, &release);
  EXPECT_EQ(clicks, 1);
  qApp->removeEventFilter(&filter);
}

TEST(KeyFilter, ReturnAndEnterClickTheFocusedPushButtonOncePerPress) {
  KeyFilter filter;
  qApp->installEventFilter(&filter);
  QPushButton button;
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  button.show();
  QApplication::setActiveWindow(&button);
  button.setFocus();
  const struct {
    int key;
    bool repeat;
    bool auto_default;  // the button answers Return itself, as in a dialog: one click, not two
    int clicks;
  } cases[] = {{Qt::Key_Return, false, false, 1},
               {Qt::Key_Enter, false, false, 1},
               {Qt::Key_Return, true, false, 0},
               {Qt::Key_Return, false, true, 1},
               {Qt::Key_A, false, false, 0}};
  for (const auto& c : cases) {
    button.setAutoDefault(c.auto_default);
    const int before = clicks;
    QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, QString(), c.repeat);
    QApplication::sendEvent(&button, &press);
    EXPECT_EQ(clicks - before, c.clicks) << c.key << (c.repeat ? " held" : "");
  }
  qApp->removeEventFilter(&filter);
}

}  // namespace
}  // namespace game
