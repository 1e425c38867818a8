// Reading the author's saves anew while the game plays (--watch), and what the game says about
// it on standard error, in the locale's language. Nothing here shows a box or ends the game: a
// file that does not load leaves what was read before playing.
#pragma once

#include <optional>
#include <string>

#include "rules/contracts/file_system.h"
#include "rules/contracts/text_decoder.h"
#include "rules/locale/language.h"
#include "rules/script/my_script.h"
#include "rules/session/save_settling.h"
#include "rules/session/session_picture.h"

namespace game {

// The story at UnitStory::kStoryPath read anew (ReloadScript): the checks' report on the new
// table (reload_report.h); or, when it does not load or holds no line while the story read before
// had some, one line saying so and that the story read before goes on.
std::string ReadStoryAnew(MyScript& script, FileSystem& files, TextDecoder& decoder,
                          Language language);

// The frames read anew. Each frame is read first: while one does not read (half-written, or not a
// picture the game can show) the frames shown go on and one line names it and why; once all read,
// the picture loads them (SessionPicture::InitGraphics) and one line says so.
std::string ReadFramesAnew(SessionPicture& picture, FileSystem& files, Language language);

// The first frame that does not read (a path and the reader's error text), or nothing when all
// six read.
struct FrameFailure {
  std::string path;
  std::string error_text;
};
std::optional<FrameFailure> FirstFrameThatDoesNotRead(FileSystem& files);

// The line for a start-up step that still fails when the start-up is taken up again after a save:
// `what` (a file, or the story) does not load, with the error's text, and the start-up waits for
// the next save.
std::string StartupStillFails(const std::string& what, const std::string& error_text,
                              Language language);
// The line for a start-up taken up again to its end after a save.
std::string StartupWentOn(Language language);

}  // namespace game
