// What the page asks the rules instead of keeping its own copy: the story folder's files and
// which folder of a picked one holds the story (rules/story/story_files.h), and the picture's
// layout, face, colours and the buttons' captions (UnitScene, game_texts.h), and the story's
// commands and page length (unit_story.h).
#pragma once

#include <string>

namespace game {

// The game's paths of the story folder's files, one a line, the story first:
// "dat/story.txt\ndat/a0.bmp\n...\ndat/suka.wav".
std::string StoryFileList();

// The picture's layout as a JSON object: width, height, textX, textY, lineStep, font (the CSS
// weight and size, "bold 19px"), textColour and blankColour ("#rrggbb"), captions (next,
// special, playAgain) and the buttons' boxes in picture pixels (buttons.next, buttons.special:
// x, y, width, height).
std::string PictureLayoutJson();

// What the studio's editor colours by, as a JSON object: commands (the keywords, "#end", ...,
// their letters in the rules' case) and pageLines (the most lines a page holds).
std::string StorySyntaxJson();

}  // namespace game
