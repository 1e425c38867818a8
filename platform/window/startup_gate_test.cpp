#include "platform/window/startup_gate.h"

#include <gtest/gtest.h>

#include "rules/clock/my_time.h"
#include "rules/fakes/fakes.h"

namespace game {
namespace {

// Start-up that shows a message box after posting the start message: the box's own message
// pumping delivers the message while start-up is still running.
TEST(StartupGate, AMessageBoxDuringStartUpDoesNotEnterTheLoop) {
  fakes::FakePoster window;
  fakes::FakeMessageBoxes boxes;
  StartupGate gate;
  int loops_entered = 0;
  auto deliver = [&] {
    if (gate.Arrived()) ++loops_entered;
  };
  boxes.on_show = deliver;  // the box pumps the waiting start message

  boxes.ShowMessage("MyScript", "missing");
  EXPECT_EQ(loops_entered, 0);

  gate.Finish(window, kClockStartMessage);
  ASSERT_EQ(window.posted, std::vector<int>{kClockStartMessage});
  deliver();  // the application's own loop delivers the message posted again
  EXPECT_EQ(loops_entered, 1);
}

TEST(StartupGate, AMessageArrivingAfterStartUpEntersAtOnceAndIsNotPostedAgain) {
  fakes::FakePoster window;
  StartupGate gate;
  gate.Finish(window, kClockStartMessage);
  EXPECT_TRUE(gate.Arrived());
  EXPECT_TRUE(window.posted.empty());
}

}  // namespace
}  // namespace game
