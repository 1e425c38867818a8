#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "bench_app.h"

namespace game {

GameApplication& BenchApp() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "game_bench";
  static char* argv[] = {name, nullptr};
  static GameApplication app(argc, argv, QStringLiteral("game_bench"));
  return app;
}

}  // namespace game

BENCHMARK_MAIN();
