// The benchmark process's one application object, made on first use on Qt's offscreen platform
// (unless QT_QPA_PLATFORM says otherwise). Every benchmark that needs Qt asks for it here, so the
// order the benchmarks run in does not matter. The benchmark main destroys it once every
// benchmark has run and before the program's static objects go, Qt's own among them.
#pragma once

#include "platform/qt/game_app.h"

namespace game {

GameApplication& BenchApp();

}  // namespace game
