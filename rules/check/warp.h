// The author's preview start: `--warp TARGET` begins the game where TARGET is, so that the first
// press of ＞次へ shows the page that reading from there gives. TARGET is a label as written in the
// story ("@name", UTF-8 as typed) or a line number of the story file (from 1).
//
// The story's flags at that place (heat, an armed trap and its label, the end pending) are the
// ones reading has when it first comes to TARGET on the shortest way there from the first press:
// the fewest presses of ＞次へ and ★ (the special move's answer counts as a press; at most
// SpecialMove::kUses answers on a way). Reading comes to TARGET when a press of ＞次へ reads its
// line; the flags are those in force just before it reads that line (a press disarms any trap
// before it reads, and reads nothing with the end pending). Where no way reads TARGET, the flags
// are all off.
#pragma once

#include <optional>
#include <string>

#include "rules/check/story_walk.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/text_decoder.h"
#include "rules/locale/language.h"
#include "rules/story/unit_story.h"

namespace game::check {

// The entry TARGET names in `script`: a label's first entry from the top, or line n's entry
// (n - 1). Nothing when TARGET is neither, or names no label or a line outside the file; then
// `why` says so in one line in `language`, naming TARGET.
std::optional<int> FindWarpEntry(const MyScript& script, const std::string& target,
                                 TextDecoder& decoder, Language language, std::string& why);

// The flags reading has when it first reads `entry` on the shortest way from the first press of
// the walked story (StoryWalk::Walk has run); nothing when no way reads it.
std::optional<StoryFlags> FlagsOnTheWayTo(StoryWalk& walk, int entry);

struct WarpPlan {
  int entry = -1;       // where reading starts; -1 when the warp is refused
  StoryFlags flags;     // the flags to start with
  std::string refusal;  // why TARGET names no place (one line), when refused
  std::string warning;  // when no way reaches TARGET (one line), else empty
};

// Loads the story at UnitStory::kStoryPath from `files` as the game does, finds TARGET and walks
// the story to it. A story that does not load refuses the warp with its reason. Texts in
// `language`, each one line without its line end, naming `UnitStory::kStoryPath` and TARGET.
WarpPlan PlanWarp(FileSystem& files, TextDecoder& decoder, const std::string& target,
                  Language language = Language::kEnglish);

}  // namespace game::check
