// Shift-JIS byte strings for the program's own UTF-8 texts (message boxes), without Qt types.
#pragma once

#include <string>
#include <string_view>

namespace game {

// `sjis` read as code page 932, as UTF-8; bytes that form no character become U+FFFD.
std::string SjisToUtf8(std::string_view sjis);

}  // namespace game
