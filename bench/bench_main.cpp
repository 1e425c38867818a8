#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <memory>

#include "bench/bench_app.h"

namespace game {
namespace {

// Owned here rather than as a function-local static: a static application would be destroyed
// after Qt's global objects that it still uses, and the process would crash on its way out.
std::unique_ptr<GameApplication>& AppSlot() {
  static std::unique_ptr<GameApplication> app;
  return app;
}

}  // namespace

GameApplication& BenchApp() {
  std::unique_ptr<GameApplication>& app = AppSlot();
  if (!app) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "game_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<GameApplication>(argc, argv, QStringLiteral("game_bench"));
  }
  return *app;
}

}  // namespace game

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  game::AppSlot().reset();
  return 0;
}
