// The desktop's font subsetter: HarfBuzz's command-line tool, hb-subset (found on the PATH).
#pragma once

#include <filesystem>
#include <string>

namespace game {

// `font` cut down to the characters of `text` (UTF-8): the new font's bytes, as a FontSubsetter
// of the site writer. Throws AppError when hb-subset cannot run or fails.
std::string HbSubset(const std::filesystem::path& font, const std::string& text);

}  // namespace game
