// The facts both modules give their page instead of the page keeping its own copy (page_facts.h):
// the story folder's files, which folder of a picked one holds the story, the picture's layout,
// and what the studio's editor colours by. The player draws and reads folders with them; the
// studio's worker writes the folder it checks and measures the page's lines with them. The texts
// live as long as the module.
#include <emscripten.h>

#include <string>

#include "platform/web/page_facts.h"
#include "rules/story/story_files.h"

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

EMSCRIPTEN_KEEPALIVE const char* story_syntax() {
  static const std::string syntax = game::StorySyntaxJson();
  return syntax.c_str();
}

}  // extern "C"
