#include "clock/slot_due.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(MsUntilDue, WaitsForTheFirstPassAfterMoreThanTheIntervalOfTheSoonestSlot) {
  const auto tick = [] {};
  struct Case {
    std::vector<TTimerSlot> slots;
    std::int32_t now;
    std::int32_t wait;
  };
  const Case cases[] = {
      {{{50, 0, tick}}, 0, 51},   // just set: fires at 51
      {{{50, 0, tick}}, 50, 1},   // 50 is not more than 50
      {{{50, 0, tick}}, 51, 0},   // due
      {{{50, 0, tick}}, 400, 0},  // overdue: now, not a negative wait
      {{{50, 0, tick}, {10, 35, tick}}, 40, 6},
      {{{50, 0, nullptr}, {0, 0, tick}}, 5, 99},  // no live slot: idle
      {{}, 5, 99},
      {{{50, 2147483600, tick}}, -2147483600, 0},  // 96 after the last time, across the wrap
      {{{50, 2147483640, tick}}, -2147483608, 3},  // 48 after the last time, across the wrap
  };
  for (const Case& c : cases) EXPECT_EQ(MsUntilDue(c.slots, c.now, 99), c.wait) << c.now;
}

}  // namespace
}  // namespace game
