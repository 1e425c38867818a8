// What the site's face must draw for a story: every character of its story file and every text
// the game itself shows, as the text HarfBuzz's subsetter keeps the glyphs of.
#pragma once

#include <string>
#include <string_view>

#include "rules/contracts/text_decoder.h"

namespace game {

// The texts the game shows besides the story's, taken from the rules that show them: printable
// ASCII, the buttons' captions and names, the misses, the full-width digits, the special move's
// page, the empty page, the titles and the messages of its dialogs (UTF-8).
const std::string& FixedFontText();

// The distinct characters of `story` (the story file's Shift-JIS bytes, decoded line by line by
// `decoder`), of `page` (the page's own texts, UTF-8) and of FixedFontText, in code point order,
// as UTF-8. Line ends and other control characters
// and U+FFFD (bytes that form no character) are left out: they draw nothing of the face's.
std::string FontText(std::string_view story, TextDecoder& decoder, const std::string& page);

}  // namespace game
