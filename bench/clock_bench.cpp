// The main loop's timing as the game runs it: MyTime with the steady millisecond clock and the
// application's own message pump (Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise),
// one 50 ms slot for three seconds. Each firing's time is taken with the steady high-resolution
// clock; the counters give the slot's period (mean, median, 99th percentile, least and most) and
// the loop's passes per second. The slot's callback busies itself for work_ms: 0, about 2 ms (less
// than the interval: LastTime is the pass's reading from before the callback, so the period
// should not move), and 60 ms (more than the interval: the slot is due again as soon as the
// callback returns).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <vector>

#include "bench/bench_app.h"
#include "platform/posix/steady_clock.h"
#include "rules/clock/my_time.h"
#include "rules/fakes/fakes.h"
#include "rules/session/game_session.h"

namespace game {
namespace {

using Steady = std::chrono::steady_clock;

constexpr std::int32_t kIntervalMs = game::kRenderIntervalMs;
constexpr auto kRunTime = std::chrono::seconds(3);

void BusyFor(Steady::duration work) {
  const auto end = Steady::now() + work;
  while (Steady::now() < end) {
  }
}

double Ms(Steady::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// The nearest-rank quantile `q` of sorted, non-empty `values`.
double Quantile(const std::vector<double>& values, double q) {
  const auto rank = static_cast<std::size_t>(std::ceil(q * static_cast<double>(values.size())));
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// The gaps between neighbouring firings in milliseconds, sorted.
std::vector<double> SortedPeriods(const std::vector<Steady::time_point>& firings) {
  std::vector<double> periods;
  for (std::size_t i = 1; i < firings.size(); ++i)
    periods.push_back(Ms(firings[i] - firings[i - 1]));
  std::sort(periods.begin(), periods.end());
  return periods;
}

struct LoopRun {
  Steady::time_point registered;
  std::vector<Steady::time_point> firings;
  Steady::duration length{};
  std::int64_t passes = 0;
};

// Runs the real loop with one 50 ms slot whose callback notes its time, then works for `work`.
LoopRun RunOneSlot(MessagePump& pump, Steady::duration work) {
  LoopRun run;
  run.firings.reserve(2 * kRunTime / std::chrono::milliseconds(kIntervalMs));
  SteadyClock clock;
  // Ends the loop once the run's time is up. The loop asks once per pass, so the questions
  // count the passes.
  fakes::FakeTermination termination;
  termination.ends_when = [end = Steady::now() + kRunTime] { return Steady::now() >= end; };
  MyTime time(clock, pump, termination);
  run.registered = Steady::now();
  time.SetTimerSlot(kRenderSlot, kIntervalMs, [&] {
    run.firings.push_back(Steady::now());
    BusyFor(work);
  });
  time.RunClock();
  run.length = Steady::now() - run.registered;
  run.passes = termination.asks;
  return run;
}

void ReportRun(benchmark::State& state, const LoopRun& run) {
  const std::vector<double> periods = SortedPeriods(run.firings);
  if (periods.empty()) return state.SkipWithError("the slot fired fewer than twice");
  state.counters["first_fire_ms"] = Ms(run.firings.front() - run.registered);
  state.counters["firings"] = static_cast<double>(run.firings.size());
  state.counters["period_min_ms"] = periods.front();
  state.counters["period_mean_ms"] =
      std::accumulate(periods.begin(), periods.end(), 0.0) / static_cast<double>(periods.size());
  state.counters["period_median_ms"] = Quantile(periods, 0.5);
  state.counters["period_p99_ms"] = Quantile(periods, 0.99);
  state.counters["period_max_ms"] = periods.back();
  state.counters["passes_per_s"] =
      static_cast<double>(run.passes) / std::chrono::duration<double>(run.length).count();
}

void BM_ClockSlotPeriod(benchmark::State& state) {
  GameApplication* app = &BenchApp();
  const auto work = std::chrono::milliseconds(state.range(0));
  LoopRun run;
  for (auto _ : state) run = RunOneSlot(*app, work);
  ReportRun(state, run);
}
BENCHMARK(BM_ClockSlotPeriod)
    ->ArgName("work_ms")
    ->Arg(0)
    ->Arg(2)
    ->Arg(60)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace game
