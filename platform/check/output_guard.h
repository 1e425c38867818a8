// Where the checker's map and storyboard may go. They never go into the story folder (the story,
// its frames and sounds) or over a folder that holds it; over an existing file or folder only when
// it is the checker's own earlier output (it carries the checker's mark) or the author says
// --overwrite. Every file is written beside its place and renamed over it, so a failure leaves
// the old one whole.
#pragma once

#include <optional>
#include <string>

#include "rules/locale/language.h"

namespace game::check {

struct OutputRequest {
  std::string path;          // the file or folder, as the author gave it
  std::string story_folder;  // the story being checked
  bool overwrite = false;    // --overwrite: replace what the checker did not write
  bool large = false;        // --large-graph: draw a map of any size
};

// Why `request.path` may not be written, if it may not. `folder` says whether a folder is wanted
// there; `own` whether what is there now is the checker's own.
std::optional<Bilingual> OutputProblem(const OutputRequest& request, bool folder, bool own);

// Whether the first 64 KiB of `file` hold `mark`.
bool HoldsMark(const std::string& file, const std::string& mark);

// Writes `bytes` to a new file beside `path` and renames it over `path`. The refusal names the
// file and the cause.
std::optional<Bilingual> SaveBeside(const std::string& path, const std::string& bytes);

}  // namespace game::check
