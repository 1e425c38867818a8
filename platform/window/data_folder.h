// The game reads everything it shows from dat/ under the folder it starts in. Started elsewhere
// (say from the build folder), it would only show its file errors and a blank window: this is the
// one line that tells the newcomer where it looked and how to start it instead.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "rules/locale/language.h"

namespace game {

// The line (without its line end) for standard error when `folder` holds no dat/ folder
// (nothing named dat, or something there that is not a folder nor a link to one): it names
// `folder` and the two ways to start the game, in `language`. Nothing when dat/ is there,
// whatever it holds.
std::optional<std::string> MissingDataFolderNote(const std::filesystem::path& folder,
                                                 Language language = Language::kEnglish);

}  // namespace game
