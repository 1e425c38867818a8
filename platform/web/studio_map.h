// The story's map for the studio's page, as JSON: one node per page the walk found (the start,
// each page with its first source line and the text of its first line, its heat and armed trap),
// one per ending, and the ways between them: reading on, a press of ＞次へ that jumped on the way,
// and the special move's answer. The page lays it out and draws it.
#pragma once

#include <string>

#include "rules/check/story_walk.h"
#include "rules/contracts/text_decoder.h"

namespace game::web {

// {"nodes": [{"id", "kind" ("start", "page", "answer", "end"), "name" ("p3", in reading order),
//  "line" (from 1; 0 for the start), "text", "heat", "trap"}], "edges": [{"from", "to", "kind"
//  ("read", "jump", "answer")}]}. The walk has run.
std::string StoryMapJson(check::StoryWalk& walk, TextDecoder& decoder);

}  // namespace game::web
