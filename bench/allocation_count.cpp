#include "bench/allocation_count.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace game::bench {
namespace {

std::atomic<bool> counting{false};
std::atomic<std::int64_t> live{0};
std::atomic<std::int64_t> peak{0};
std::atomic<std::int64_t> total{0};

void NoteAllocated(void* block) {
  const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
  total += size;
  const std::int64_t now = live += size;
  std::int64_t high = peak.load();
  while (now > high && !peak.compare_exchange_weak(high, now)) {
  }
}

}  // namespace

void StartCountingAllocations() {
  live = 0;
  peak = 0;
  total = 0;
  counting = true;
}

AllocationCount StopCountingAllocations() {
  counting = false;
  return {total.load(), peak.load()};
}

}  // namespace game::bench

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  if (game::bench::counting) game::bench::NoteAllocated(block);
  return block;
}

void operator delete(void* block) noexcept {
  if (block != nullptr && game::bench::counting) {
    game::bench::live -= static_cast<std::int64_t>(malloc_usable_size(block));
  }
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
