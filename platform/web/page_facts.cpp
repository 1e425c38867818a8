#include "platform/web/page_facts.h"

#include <cstdio>

#include "platform/web/json_text.h"
#include "rules/scene/button_layout.h"
#include "rules/scene/unit_scene.h"
#include "rules/story/game_texts.h"
#include "rules/story/story_files.h"
#include "rules/story/unit_story.h"

namespace game {
namespace {

std::string CssColour(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned{colour.red}, unsigned{colour.green},
                unsigned{colour.blue});
  return text;
}

std::string Quoted(const std::string& text) { return web::JsonQuoted(text); }

std::string Field(const char* name, const std::string& json) { return Quoted(name) + ":" + json; }

// A button's box as {"x":…,"y":…,"width":…,"height":…}.
std::string BoxJson(const ButtonBox& box) {
  return "{" + Field("x", std::to_string(box.x)) + "," + Field("y", std::to_string(box.y)) + "," +
         Field("width", std::to_string(box.width)) + "," +
         Field("height", std::to_string(box.height)) + "}";
}

}  // namespace

std::string StoryFileList() {
  std::string list;
  for (const std::string& path : story_files::FilePaths())
    list += (list.empty() ? "" : "\n") + path;
  return list;
}

std::string PictureLayoutJson() {
  using S = UnitScene;
  const std::string font =
      std::string(S::kTextBold ? "bold " : "") + std::to_string(S::kFontPixels) + "px";
  const std::string captions = "{" + Field("next", Quoted(kNextButtonCaption)) + "," +
                               Field("special", Quoted(kSpecialButtonFirstCaption)) + "," +
                               Field("playAgain", Quoted(kPlayAgainCaption)) + "}";
  const std::string buttons = "{" + Field("next", BoxJson(kNextButtonBox)) + "," +
                              Field("special", BoxJson(kSpecialButtonBox)) + "}";
  return "{" + Field("width", std::to_string(S::kWidth)) + "," +
         Field("height", std::to_string(S::kHeight)) + "," +
         Field("textX", std::to_string(S::kTextX)) + "," +
         Field("textY", std::to_string(S::kTextY)) + "," +
         Field("lineStep", std::to_string(S::kLineStep)) + "," + Field("font", Quoted(font)) + "," +
         Field("textColour", Quoted(CssColour(S::kTextColour))) + "," +
         Field("blankColour", Quoted(CssColour(S::kBlankColour))) + "," +
         Field("captions", captions) + "," + Field("buttons", buttons) + "}";
}

std::string StorySyntaxJson() {
  std::string commands;
  for (const StoryCommand& command : kStoryCommands)
    commands += (commands.empty() ? "" : ",") + Quoted(command.keyword);
  return "{" + Field("commands", "[" + commands + "]") + "," +
         Field("pageLines", std::to_string(UnitStory::kMaxPageLines)) + "}";
}

}  // namespace game
