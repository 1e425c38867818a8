// The bytes the process allocates with operator new while a count is open: what a benchmark's
// code costs in memory, counted by the allocator rather than guessed. The whole benchmark binary
// allocates through the counting operator new; it counts only between Start and Stop.
#pragma once

#include <cstdint>

namespace game::bench {

struct AllocationCount {
  std::int64_t total = 0;  // every block allocated, added up
  std::int64_t peak = 0;   // the most that was live at once, over what was live at Start
};

void StartCountingAllocations();
AllocationCount StopCountingAllocations();

}  // namespace game::bench
