#include "rules/clock/my_time.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <stdexcept>

#include "rules/fakes/fakes.h"

namespace game {
namespace {

class MyTimeTest : public ::testing::Test {
 protected:
  // Runs the loop until `passes` pumping passes have happened.
  void RunPasses(int passes) {
    pump.on_pump = [&] {
      if (pump.passes >= passes) termination.RequestTermination();
    };
    time.RunClock();
  }

  fakes::FakeClock clock;
  fakes::FakePump pump;
  fakes::FakeTermination termination;
  MyTime time{clock, pump, termination};
  std::vector<std::int32_t> fired;  // the clock reading of each firing
  std::function<void()> Record() {
    return [this] { fired.push_back(clock.time - clock.step); };
  }
};

TEST_F(MyTimeTest, FiresOnTheFirstPassMoreThanTheIntervalAfterRegistration) {
  clock.time = 1000;
  time.SetTimerSlot(0, 50, Record());  // registered at 1000
  clock.step = 1;                      // one reading per pass, 1 ms apart
  RunPasses(120);
  // 1050 is not more than 50 after 1000; 1051 is. Then every 51 ms: drift is not made up.
  ASSERT_GE(fired.size(), 2u);
  EXPECT_EQ(fired[0], 1051);
  EXPECT_EQ(fired[1], 1102);
}

TEST_F(MyTimeTest, SlotsWithoutCallbackOrWithoutPositiveIntervalNeverFire) {
  time.SetTimerSlot(0, 0, Record());
  time.SetTimerSlot(1, -5, Record());
  time.SetTimerSlot(2, 10, nullptr);
  clock.step = 100;
  RunPasses(20);
  EXPECT_TRUE(fired.empty());
}

TEST_F(MyTimeTest, TableGrowsWithEmptySlotsAndClearingKeepsItsLength) {
  clock.time = 77;
  time.SetTimerSlot(3, 40, Record());
  ASSERT_EQ(time.TimerSlots().size(), 4u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(time.TimerSlots()[i].Callback);
    EXPECT_EQ(time.TimerSlots()[i].Interval, 0);
    EXPECT_EQ(time.TimerSlots()[i].LastTime, 0);
  }
  EXPECT_EQ(time.TimerSlots()[3].LastTime, 77);

  time.ClearTimers();
  ASSERT_EQ(time.TimerSlots().size(), 4u);
  EXPECT_FALSE(time.TimerSlots()[3].Callback);
  EXPECT_EQ(time.TimerSlots()[3].Interval, 0);
  EXPECT_EQ(time.TimerSlots()[3].LastTime, 77);
}

TEST_F(MyTimeTest, OnlyTheFirstStartPostsTheStartMessageButEveryStartClears) {
  fakes::FakePoster window;
  time.SetTimerSlot(0, 50, Record());
  time.StartClock(window);
  EXPECT_TRUE(time.ClockStarted());
  EXPECT_FALSE(time.TimerSlots()[0].Callback);
  time.SetTimerSlot(0, 50, Record());
  time.StartClock(window);
  EXPECT_EQ(window.posted, std::vector<int>{kClockStartMessage});
  EXPECT_FALSE(time.TimerSlots()[0].Callback);
}

TEST_F(MyTimeTest, LoopEndsAfterThePassThatSeesTerminationAndSlotsDueTogetherShareNow) {
  clock.step = 0;
  clock.time = 0;
  time.SetTimerSlot(0, 10, Record());
  time.SetTimerSlot(1, 20, Record());
  pump.on_pump = [&] {
    clock.time += 25;  // the clock moves while messages are pumped
    if (pump.passes == 1) termination.RequestTermination();
  };
  time.RunClock();
  EXPECT_EQ(pump.passes, 1);
  EXPECT_EQ(fired, (std::vector<std::int32_t>{25, 25}));
  EXPECT_EQ(time.TimerSlots()[0].LastTime, 25);
  EXPECT_EQ(time.TimerSlots()[1].LastTime, 25);
  EXPECT_TRUE(time.ClockStarted());
}

TEST_F(MyTimeTest, LastTimeIsTheReadingOfThePassNotTheTimeAfterTheCallback) {
  time.SetTimerSlot(0, 10, [&] { clock.time += 500; });  // a slow callback
  pump.on_pump = [&] {
    clock.time += 11;
    if (pump.passes == 2) termination.RequestTermination();
  };
  time.RunClock();
  // Pass 1 reads 11 and fires (the clock is 511 after it); pass 2 reads 522 and fires again.
  EXPECT_EQ(clock.time, 1022);
  EXPECT_EQ(time.TimerSlots()[0].LastTime, 522);
}

TEST_F(MyTimeTest, HandlersMayChangeTheTableBetweenPasses) {
  pump.on_pump = [&] {
    clock.time += 100;
    if (pump.passes == 1) time.SetTimerSlot(2, 50, Record());
    if (pump.passes == 3) time.ClearTimers();
    if (pump.passes == 5) termination.RequestTermination();
  };
  time.RunClock();
  EXPECT_EQ(fired, (std::vector<std::int32_t>{200}));
}

TEST_F(MyTimeTest, ACallbackThatGrowsTheTableDoesNotRunTheNewSlotInTheSamePass) {
  time.SetTimerSlot(0, 1, [&] { time.SetTimerSlot(5, 1, Record()); });
  pump.on_pump = [&] {
    clock.time += 10;
    if (pump.passes == 1) termination.RequestTermination();
  };
  time.RunClock();
  EXPECT_TRUE(fired.empty());
  EXPECT_EQ(time.TimerSlots().size(), 6u);
}

TEST_F(MyTimeTest, ACallbackErrorLeavesTheLoop) {
  time.SetTimerSlot(0, 1, [] { throw std::runtime_error("boom"); });
  pump.on_pump = [&] { clock.time += 10; };
  EXPECT_THROW(time.RunClock(), std::runtime_error);
  EXPECT_EQ(pump.passes, 1);
  EXPECT_FALSE(termination.Terminated());
}

TEST_F(MyTimeTest, FpsTickReportsCountsBlanksAndNothingInBetween) {
  clock.time = 50;
  std::vector<std::int32_t> codes;
  for (int call = 0; call < 41; ++call) {
    codes.push_back(time.FpsTick());
    clock.time += 50;
  }
  EXPECT_EQ(codes[0], 1);  // at 50
  // Calls at 100..500 are under 500 ms after the count at 50.
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(codes[i], -1) << i;
  EXPECT_EQ(codes[10], -2);  // at 550
  for (int i = 11; i <= 19; ++i) EXPECT_EQ(codes[i], -1) << i;
  EXPECT_EQ(codes[20], 20);  // at 1050: calls 1..20
  EXPECT_EQ(codes[30], -2);
  EXPECT_EQ(codes[40], 20);
}

// A host that drives the passes itself: each call is exactly one pass, it never blocks, and it
// says when termination has been requested.
TEST_F(MyTimeTest, APassOnItsOwnPumpsOnceFiresDueSlotsAndReportsTermination) {
  clock.time = 0;
  clock.step = 0;
  time.SetTimerSlot(0, 50, Record());
  const struct {
    std::int32_t now;
    bool terminate;
    std::vector<std::int32_t> fired;
    bool goes_on;
  } passes[] = {
      {50, false, {}, true},          // not more than the interval yet
      {51, false, {51}, true},        // fires on the first pass after more than 50 ms
      {100, false, {51}, true},       // counted from the last firing
      {102, true, {51, 102}, false},  // a due slot still fires on the pass that sees the end
  };
  for (const auto& pass : passes) {
    clock.time = pass.now;
    const int pumped = pump.passes;
    if (pass.terminate) termination.RequestTermination();
    EXPECT_EQ(time.RunPass(), pass.goes_on) << pass.now;
    EXPECT_EQ(pump.passes, pumped + 1) << pass.now;
    EXPECT_EQ(fired, pass.fired) << pass.now;
  }
}

class MyTimeWaitTest : public MyTimeTest {
 protected:
  void SetUp() override { time.SetMessageWait(&wait); }
  fakes::FakeMessageWait wait{clock};
};

TEST_F(MyTimeWaitTest, RestsUntilTheSlotIsDueAndFiresOnTheSameReadingsAsTheSpinningLoop) {
  clock.time = 1000;
  time.SetTimerSlot(0, 50, Record());
  RunPasses(3);
  // 1051 is the first reading more than 50 after 1000; then every 51 ms, as when spinning.
  EXPECT_EQ(fired, (std::vector<std::int32_t>{1051, 1102}));
  EXPECT_EQ(wait.waits, (std::vector<std::optional<std::int32_t>>{51, 51}));
}

TEST_F(MyTimeWaitTest, AMessageEndsTheRestEarlyAndTheNextRestIsShorter) {
  clock.time = 0;
  time.SetTimerSlot(0, 50, Record());
  wait.messages = 2;  // two clicks, 7 ms into each rest
  RunPasses(4);
  EXPECT_EQ(wait.waits, (std::vector<std::optional<std::int32_t>>{51, 44, 37}));
  EXPECT_EQ(fired, (std::vector<std::int32_t>{51}));
}

TEST_F(MyTimeWaitTest, WithNothingThatCanFireOnlyAMessageEndsTheRest) {
  time.SetTimerSlot(0, 0, Record());
  time.SetTimerSlot(1, 20, nullptr);
  RunPasses(3);
  EXPECT_EQ(wait.waits, (std::vector<std::optional<std::int32_t>>{std::nullopt, std::nullopt}));
  EXPECT_TRUE(fired.empty());
}

TEST_F(MyTimeWaitTest, ThePassThatSeesTerminationDoesNotRest) {
  time.SetTimerSlot(0, 50, Record());
  RunPasses(1);
  EXPECT_TRUE(wait.waits.empty());
  EXPECT_TRUE(time.ClockStarted());
}

TEST_F(MyTimeTest, TimeToNextDueIsTheSoonestSlotsTimeLeft) {
  struct Case {
    std::vector<std::pair<std::int32_t, std::int32_t>> slots;  // interval, registered at
    std::int32_t now;
    std::optional<std::int64_t> left;
  };
  const std::vector<Case> cases = {
      {{}, 0, std::nullopt},
      {{{0, 0}, {-3, 0}}, 10, std::nullopt},
      {{{50, 1000}}, 1000, 51},
      {{{50, 1000}}, 1050, 1},
      {{{50, 1000}}, 1051, 0},
      {{{50, 1000}}, 1200, -149},           // overdue: due now
      {{{50, 1000}, {10, 1030}}, 1035, 6},  // the soonest of two
      {{{50, -20}}, 20, 11},                // readings around the counter's wrap
      {{{50, INT32_MAX - 9}}, INT32_MIN + 10, 31},
  };
  for (const Case& c : cases) {
    MyTime table{clock, pump, termination};
    for (std::size_t i = 0; i < c.slots.size(); ++i) {
      clock.time = c.slots[i].second;
      table.SetTimerSlot(static_cast<int>(i), c.slots[i].first, [] {});
    }
    EXPECT_EQ(table.TimeToNextDue(c.now), c.left) << c.now;
  }
}

}  // namespace
}  // namespace game
