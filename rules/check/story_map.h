// The story's map as Graphviz DOT. Nodes are sections: runs of pages that the reader can only
// read one after the other (each page's one way on is reading on to a page that nothing else
// leads to), labelled with their pages (numbered in reading order, as in the storyboard), their
// source lines and the text of their first line. Edges: reading on (black), a press of ＞次へ
// that jumped on the way (blue, "#goto"), the special move's answer (red, dashed, "★"); the
// endings are double circles naming their line. Sections with heat are filled pink, a section
// that ends on a trap page has a red border, the empty page of a jump cycle is grey.
#pragma once

#include <string>
#include <vector>

#include "rules/check/story_walk.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

// `order`: the pages in reading order (ReadingOrder); page order[i] is called "p{i + 1}".
std::string StoryMapDot(StoryWalk& walk, const std::vector<int>& order, TextDecoder& decoder);

// `text` as the inside of a DOT double-quoted string: '"' and '\' escaped, a line end as "\n".
std::string DotQuoted(const std::string& text);

}  // namespace game::check
