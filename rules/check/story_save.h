// Saving a story file edited as Unicode text without losing what the author did not touch.
//
// The editor shows the file's lines decoded (bytes that form no character as U+FFFD, a lone CR
// or a Ctrl-Z as the control character it is), the line endings taken off. Saving compares the
// edited lines with the file's and writes each unchanged line as its own bytes and ending, so
// that bytes that form no character, text after a Ctrl-Z, characters with two forms and mixed
// line endings come back byte for byte where the author did not type. Changed and new lines are
// encoded to Shift-JIS (code page 932) with the file's usual ending. Two things stop a save:
//  - a character with no Shift-JIS form (♡) refuses it, with a finding at its line and column;
//  - a changed line that held bytes forming no character would lose them: the save waits until
//    the author confirms, the lines named.
// The plan holds the whole file or nothing; writing it at once is the caller's part.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/check/finding.h"

namespace game::check {

// The editor's text of a story file: its lines decoded and joined with "\n".
std::string StoryEditorText(std::string_view file_bytes);

enum class SaveOutcome { kWrite, kConfirm, kRefused };

struct SavePlan {
  SaveOutcome outcome = SaveOutcome::kRefused;
  std::string bytes;              // the whole file when the outcome is kWrite, else empty
  std::vector<Finding> refusals;  // characters with no Shift-JIS form (line, character column)
  std::vector<int> lossy_lines;   // edited lines (from 1) that would lose bytes, for kConfirm
};

// The save of `edited` (UTF-8, lines joined with "\n") over a file that held `original` (empty
// for a new file). With `confirmed`, lines that lose bytes forming no character are written
// without them. `shown_path` names the file in the findings.
SavePlan PlanStorySave(std::string_view original, std::string_view edited, bool confirmed,
                       const std::string& shown_path);

// What the author is asked before the lossy lines are written: "Lines 3 and 7 ...".
Message LossyLinesQuestion(const std::vector<int>& lines);

}  // namespace game::check
