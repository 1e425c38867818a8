// The storyboard: every page the walk found, drawn by the game's own renderer (UnitBmp) as the
// game draws it: the portrait's first frame, the page's lines, and heat strokes where the page
// has heat (from a fixed seed, so every run draws the same strokes); written as PNG files with
// the index.html of storyboard_html.h. Needs the application object.
#pragma once

#include <string>
#include <vector>

#include "platform/check/output_guard.h"
#include "rules/check/finding.h"
#include "rules/check/story_walk.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

// The seed each page is drawn from: its first draw keeps the portrait on frame 0.
inline constexpr std::uint32_t kStoryboardSeed = 0x80000000u;

// Draws the pages of `order` (ReadingOrder) into the folder `out.path` (made when missing; refused
// as output_guard.h says). `files` reads the game's frame paths ("dat/a0.bmp"); frames the game
// cannot load are drawn blank, as the game draws them. Returns why it could not write, if it could
// not.
std::optional<Bilingual> WriteStoryboard(StoryWalk& walk, const std::vector<int>& order,
                                         FileSystem& files, TextDecoder& decoder,
                                         const std::string& story_path, const OutputRequest& out,
                                         Language language);

}  // namespace game::check
