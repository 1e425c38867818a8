// Reading a story anew while it is being played, for the author who edits it: the new table
// takes the old one's place only when the whole file loads, and reading goes on from the same
// place in the new file.
#pragma once

#include <string>
#include <vector>

#include "rules/contracts/file_system.h"
#include "rules/script/my_script.h"

namespace game {

// Whether reading from entry `i` of `entries` starts a page: the first entry, or one right after a
// blank line or a label (a page break).
bool IsPageStart(const std::vector<std::string>& entries, int i);

// The nearest page start (IsPageStart) at or before entry `i`; 0 for `i` at or before the first.
int PageStartAtOrBefore(const std::vector<std::string>& entries, int i);

// Where reading goes on in `now` when it was at `cursor` in `before` (tables as MyScript keeps
// them, the end marker last). The lines before the first difference and after the last one are
// the same lines in both: a cursor on one of them stays on that line (moved by as many lines as
// the edit added or removed). A cursor on a line that changed or went, or right where new lines
// came in, goes to the nearest page start (IsPageStart) at or before that place in `now`. A
// cursor past the end stays past the end.
int ReadOnCursor(const std::vector<std::string>& before, const std::vector<std::string>& now,
                 int cursor);

// What ReloadScript did with the file.
enum class Reloaded {
  kRead,      // the new table is the script's
  kHeldBack,  // the file holds no line while the story read before had some: an editor that
              // truncates the file before it writes it again; the script is as it was
};

// Reads the story at `path` anew into `script` and puts its cursor where ReadOnCursor says; a
// script that held no table yet (a story that did not load) reads on from its first line.
// Unlike MyScript::LoadScript, nothing is shown and termination is never requested: a file that is
// missing or not a regular file throws FileError (FileError::NothingThere), a file that cannot be
// read throws FileError, and a story over a limit throws the range error. After any failure, and
// when the file is held back, the script is exactly as it was: its table, count and cursor.
Reloaded ReloadScript(MyScript& script, FileSystem& files, const std::string& path);

}  // namespace game
