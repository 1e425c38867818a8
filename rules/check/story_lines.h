// The story file read line by line as the game's loader reads it (MyScript's line splitter and
// entry maker), with the faults each line shows on the way: its encoding (byte-order mark, UTF-8
// by mistake, bytes that are no Shift-JIS character, a lone lead byte at the end or before a
// comment) and the limits at which the loader refuses the whole story (more than 9999 lines, more
// than 15 "//" in a line, more than 16 words before a comment).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/check/check_services.h"
#include "rules/check/finding.h"
#include "rules/check/story_table.h"
#include "rules/contracts/file_system.h"

namespace game::check {

struct StoryLines {
  // What the loader stores for each line it reads, line n at index n - 1 (at most 9999); a line
  // the loader refuses is stored empty here.
  std::vector<std::string> entries;
  int line_count = 0;    // lines in the file, those past 9999 included
  bool refused = false;  // the game's load stops with the range error
  EarlyEnd early_end;    // what stands after a Ctrl-Z that ends the file
};

// Reads `file` to its end, past a Ctrl-Z that ends it for the game (a warning when lines stand
// after one). `shown_path` names the file in the findings, which are appended.
// Throws FileError when the file cannot be read.
StoryLines ReadStoryLines(InputFile& file, const std::string& shown_path, CheckServices& services,
                          std::vector<Finding>& findings);

// The byte (from 1) at which word `index` (from 0) of `text` begins, the words split as
// NormalizeWords splits them: ASCII spaces, tabs and full-width spaces between words (character
// by character, as the game pairs bytes), bytes of 32 or less dropped at both ends. 0 when the
// text has no such word. Any length of line.
int WordColumn(std::string_view text, int index);

// The byte (from 1) at which the comment marker "//" number `index` (from 0) of `line` begins,
// found as the loader finds it (never on the second byte of a double-byte character); 0 when
// there is none.
int CommentMarkerColumn(std::string_view line, int index);

}  // namespace game::check
