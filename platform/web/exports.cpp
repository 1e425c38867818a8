// The functions the page calls (see the page's interface): one game at a time, made by
// game_start and dropped by game_reset.
#include <emscripten.h>

#include <memory>
#include <string>

#include "platform/web/page_facts.h"
#include "platform/web/web_game.h"
#include "rules/story/story_files.h"

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

// What the page asks instead of keeping its own copy (page_facts.h): the story folder's files,
// which folder of a picked one holds the story, and the picture's layout. The texts live as long
// as the module.
extern "C" {

EMSCRIPTEN_KEEPALIVE const char* story_file_names() {
  static const std::string names = game::StoryFileList();
  return names.c_str();
}

// 1 when the story of a folder lies in its dat/ folder, 0 when in the folder itself.
EMSCRIPTEN_KEEPALIVE int story_in_dat_folder(int folder_has_story, int dat_has_story) {
  return game::story_files::PlaceOfStory(folder_has_story != 0, dat_has_story != 0) ==
                 game::story_files::StoryPlace::kDatFolder
             ? 1
             : 0;
}

EMSCRIPTEN_KEEPALIVE const char* picture_layout() {
  static const std::string layout = game::PictureLayoutJson();
  return layout.c_str();
}

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

}  // extern "C"
