// The storyboard's index.html: every page the walk found, in reading order, with its picture, the
// source lines its press read (the lines it shows marked) and where each of its buttons leads.
#pragma once

#include <string>
#include <vector>

#include "rules/check/finding.h"
#include "rules/check/story_walk.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

// The mark in the head of every storyboard's index.html, by which a later run knows its own folder.
inline constexpr char kStoryboardMark[] = "<meta name=\"generator\" content=\"story_check\">";

// The picture file of the page at reading position `position` (from 1): "p001.png".
std::string StoryboardImageName(int position);

// `order`: the pages in reading order (ReadingOrder); `story_path`: the story as the author named
// it; `width` and `height`: the picture's size.
std::string StoryboardHtml(StoryWalk& walk, const std::vector<int>& order,
                           const std::string& story_path, TextDecoder& decoder, int width,
                           int height, Language language);

// `text` with '&', '<', '>' and '"' written as HTML character references.
std::string HtmlEscaped(const std::string& text);

}  // namespace game::check
