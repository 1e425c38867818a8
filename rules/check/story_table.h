// Findings over the story's table of lines as the loader stores it, each line judged by the
// interpreter's own classification (ClassifyStoryLine): command and text lines of more than 11
// words, "#goto" and "#trap" that name no existing label (with the nearest label as a
// suggestion), and labels defined more than once (with where the jumps to them go).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "rules/check/finding.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

// Where MyScript::JumpToLabel puts the cursor for `label` from `cursor`.
using JumpTargetFn = std::function<int(int cursor, const std::string& label)>;

// A Ctrl-Z at the start of a line ends the file for the game: what stands after it.
struct EarlyEnd {
  int line = 0;                       // the Ctrl-Z's line; 0 when nothing stands after one
  int lines_after = 0;                // lines after it that are not blank
  std::map<std::string, int> labels;  // the labels after it, each with its first line
};

// `entries`: the table, line n at index n - 1 (the end marker may follow). `jump_target` may be
// empty (the game does not load the story): the findings then do not say where jumps go. A jump
// to a label that stands only after `early_end` says so.
void AddTableFindings(const std::vector<std::string>& entries, const std::string& path,
                      TextDecoder& decoder, const JumpTargetFn& jump_target,
                      std::vector<Finding>& findings, const EarlyEnd& early_end = {});

// The number of single-byte edits that turn `a` into `b`.
std::size_t EditDistance(const std::string& a, const std::string& b);

}  // namespace game::check
