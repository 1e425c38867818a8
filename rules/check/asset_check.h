// The portrait frames and the sounds, read as the game reads them: the frames through the game's
// own bitmap reader (quoting its text when it refuses one), the sounds through the sound output's
// loader (CheckServices::SoundProblem).
#pragma once

#include <string>
#include <vector>

#include "rules/check/check_services.h"
#include "rules/check/finding.h"
#include "rules/check/story_folder.h"

namespace game::check {

// `frame_paths`: the game's paths of the frames in the order it loads them ("dat/a0.bmp", ...).
// Errors: a frame missing, not a regular file, or refused by the reader; warnings: a frame that
// is not `width` by `height`. The first frame the game cannot load stops its start-up: its error
// says what the player then gets (no story, a blank picture, the special-move button still
// reading "BtnLX", the first ＞次へ ending the game). Returns that frame's real path, or nothing
// when every frame loads.
std::string AddFrameFindings(StoryFolder& folder, CheckServices& services,
                             const std::vector<std::string>& frame_paths, int width, int height,
                             std::vector<Finding>& findings);

// `sounds`: the game's paths of the sounds, each with what it is for ("the special move's
// answer"). Errors: a sound missing, not a regular file, or not playable.
struct SoundUse {
  std::string path;
  Message purpose;
};
void AddSoundFindings(StoryFolder& folder, CheckServices& services,
                      const std::vector<SoundUse>& sounds, std::vector<Finding>& findings);

// For a missing file: the hint that names a file beside it whose name differs from the one looked
// for only in the case of its letters (A0.BMP for a0.bmp), or nothing when there is none.
std::optional<Message> OtherCaseHint(CheckServices& services, const std::string& real_path);

// The error for a path that is not a regular file, or nothing when it is one or is missing.
std::optional<Message> NotRegularFile(PathKind kind);

}  // namespace game::check
