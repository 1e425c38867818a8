// The functions the page calls (see the page's interface): one game at a time, made by
// game_start and dropped by game_reset.
#include <emscripten.h>

#include <memory>

#include "platform/web/web_game.h"

namespace {

std::unique_ptr<game::WebGame> the_game;

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int game_start(double seed) {
  the_game = std::make_unique<game::WebGame>();
  return the_game->Start(seed) ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int game_pass() { return the_game ? the_game->Pass() : -1; }

EMSCRIPTEN_KEEPALIVE void game_next() {
  if (the_game) the_game->Next();
}

EMSCRIPTEN_KEEPALIVE void game_special() {
  if (the_game) the_game->Special();
}

EMSCRIPTEN_KEEPALIVE void game_reset() { the_game.reset(); }

EMSCRIPTEN_KEEPALIVE int game_portrait() { return the_game ? the_game->Portrait() : -1; }

}  // extern "C"
