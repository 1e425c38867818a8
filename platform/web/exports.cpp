// The functions the page calls (see the page's interface): one game at a time, made by
// game_start and dropped by game_reset.
#include <emscripten.h>

#include <memory>
#include <string>

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

// The author's preview, for a page that edits the story in the module's file system: a start at
// a label or a line, and reading the saved story and frames anew. `japanese` picks the language
// of what game_said() then holds (UTF-8, one line each).
extern "C" {

EMSCRIPTEN_KEEPALIVE int game_warp(const char* target, int japanese) {
  if (!the_game || target == nullptr) return -1;
  return the_game->Warp(target,
                        japanese != 0 ? game::Language::kJapanese : game::Language::kEnglish);
}

EMSCRIPTEN_KEEPALIVE int game_reload(int story, int frames, int japanese) {
  if (!the_game) return -1;
  return the_game->Reload(story != 0, frames != 0,
                          japanese != 0 ? game::Language::kJapanese : game::Language::kEnglish)
             ? 1
             : 0;
}

EMSCRIPTEN_KEEPALIVE const char* game_said() { return the_game ? the_game->Said().c_str() : ""; }

// The line (from 1) of the story file where the page on screen starts, 0 before the first page.
EMSCRIPTEN_KEEPALIVE int game_reading_line() { return the_game ? the_game->ReadingLine() : 0; }

}  // extern "C"
