// Shift-JIS as Windows reads it (code page 932, NEC and IBM extensions and the user-defined area
// included; 0x5C is the backslash, 0x81 0x60 the full-width tilde) to Unicode. The same decoder
// on every platform: text stays Shift-JIS everywhere else and is decoded only where it is drawn
// or shown to assistive technology.
//
// Bytes that form no character become U+FFFD: the single bytes 0x80, 0xA0 and 0xFD to 0xFF, a
// lead byte (0x81-0x9F, 0xE0-0xFC) at the end, and a lead byte whose next byte makes no
// character with it; that next byte is then read again on its own (0x81 0x39 gives U+FFFD '9').
// Control bytes are characters of their own (0x1A gives U+001A). Each call stands alone: a lead
// byte at the end of one call does not pair with the next call's first byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "rules/contracts/text_decoder.h"

namespace game {

// The character that starts at bytes[at] (at < bytes.size()) and how many bytes it takes (1 or 2).
struct SjisCharacter {
  char32_t code_point;
  std::size_t length;
};
SjisCharacter DecodeSjisCharacter(std::string_view bytes, std::size_t at);

// The whole text, one code point per character.
std::u32string SjisToUtf32(std::string_view bytes);
// The whole text as UTF-8.
std::string SjisToUtf8(std::string_view bytes);
// Whether every byte belongs to a character of code page 932 (nothing becomes U+FFFD).
bool IsCp932Text(std::string_view bytes);

// The program's texts that quote the story (a label in a message) decoded with SjisToUtf8.
class SjisTextDecoder : public TextDecoder {
 public:
  std::string SjisToUtf8(std::string_view sjis) override;
};

}  // namespace game
