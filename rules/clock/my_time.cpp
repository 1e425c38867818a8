#include "rules/clock/my_time.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace game {
namespace {

// Clock differences wrap like the 32-bit counter they come from.
std::int32_t Elapsed(std::int32_t now, std::int32_t since) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                   static_cast<std::uint32_t>(since));
}

}  // namespace

void MyTime::SetTimerSlot(int slot, std::int32_t interval, std::function<void()> callback) {
  if (slot < 0) return;
  if (static_cast<std::size_t>(slot) >= slots_.size()) slots_.resize(slot + 1);
  slots_[slot] = TTimerSlot{interval, clock_.NowMs(), std::move(callback)};
}

void MyTime::ClearTimers() {
  for (auto& slot : slots_) {
    slot.Callback = nullptr;
    slot.Interval = 0;
  }
}

void MyTime::StartClock(MessagePoster& window) {
  ClearTimers();
  if (clock_started_) return;
  clock_started_ = true;
  window.PostPrivateMessage(kClockStartMessage);
}

bool MyTime::RunPass() {
  pump_.ProcessMessages();
  FireDueSlots(clock_.NowMs());
  return !termination_.Terminated();
}

void MyTime::RunClock() {
  while (RunPass()) {
    if (wait_ != nullptr) WaitForNextDue();
  }
  clock_started_ = true;
}

void MyTime::FireDueSlots(std::int32_t now) {
  const std::size_t count = slots_.size();
  for (std::size_t i = 0; i < count; ++i) {
    // A callback may grow the table, so the slot is looked up again after it returns.
    if (!slots_[i].Callback || slots_[i].Interval <= 0) continue;
    if (Elapsed(now, slots_[i].LastTime) <= slots_[i].Interval) continue;
    auto callback = slots_[i].Callback;
    callback();
    slots_[i].LastTime = now;
  }
}

std::optional<std::int64_t> MyTime::TimeToNextDue(std::int32_t now) const {
  std::optional<std::int64_t> soonest;
  for (const TTimerSlot& slot : slots_) {
    if (!slot.Callback || slot.Interval <= 0) continue;
    // Due on the first reading more than Interval after LastTime.
    const std::int64_t left = std::int64_t{slot.Interval} + 1 - Elapsed(now, slot.LastTime);
    if (!soonest || left < *soonest) soonest = left;
  }
  return soonest;
}

void MyTime::WaitForNextDue() {
  const std::optional<std::int64_t> left = TimeToNextDue(clock_.NowMs());
  if (!left) return wait_->WaitForMessage(std::nullopt);
  if (*left > 0)
    wait_->WaitForMessage(static_cast<std::int32_t>(std::min<std::int64_t>(*left, INT32_MAX)));
}

std::int32_t MyTime::FpsTick() {
  ++frame_count_;
  const std::int32_t elapsed = Elapsed(clock_.NowMs(), last_report_);
  // The first call always reports, whatever the clock's origin.
  if (!reported_) return Report();
  if (elapsed < 500) return -1;
  if (elapsed < 1000) {
    if (blank_done_) return -1;
    blank_done_ = true;
    return -2;
  }
  return Report();
}

std::int32_t MyTime::Report() {
  reported_ = true;
  const std::int32_t count = frame_count_;
  blank_done_ = false;
  last_report_ = clock_.NowMs();
  frame_count_ = 0;
  return count;
}

}  // namespace game
