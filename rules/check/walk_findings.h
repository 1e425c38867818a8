// The findings that only the walk can make about a story: a first press that shows nothing, jump
// cycles, lines no way reads, traps that change nothing, heat at an ending, a sixth line between
// page breaks, states from which no ending can be reached.
#pragma once

#include <string>
#include <vector>

#include "rules/check/finding.h"
#include "rules/check/story_walk.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

// Appends the walk's findings about `path` (the story file as the author named it).
void AddWalkFindings(StoryWalk& walk, const std::string& path, TextDecoder& decoder,
                     std::vector<Finding>& findings, int uses = SpecialMove::kUses);

}  // namespace game::check
