// What the game says on standard error each time it has read the story anew while the author
// edits it (--watch): the checker's findings about the story's table of lines (AddTableFindings),
// sorted, one a line in the compiler format that editors jump to ("dat/story.txt:12:5: error:
// ..."), then one line with their count and the line ＞次へ reads on from.
#pragma once

#include <string>

#include "rules/check/finding.h"
#include "rules/contracts/text_decoder.h"
#include "rules/script/my_script.h"

namespace game::check {

// Every line ends with '\n'. `path` names the story as the game opens it ("dat/story.txt").
std::string ReloadReport(const MyScript& script, const std::string& path, TextDecoder& decoder,
                         Language language);

}  // namespace game::check
