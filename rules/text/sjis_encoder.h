// Unicode to Shift-JIS as Windows writes it (code page 932), made from the decoder's own table so
// that whatever the decoder reads as a character is written back as bytes it reads the same way.
//
// Where the table gives a character more than one form (the NEC row 13 and the IBM extensions
// repeat some characters, the IBM rows 0xFA-0xFC repeat the NEC-selected rows 0xED and 0xEE), the
// encoder writes the first in byte order, as Python's cp932 codec does. The later twins therefore
// decode and encode to the earlier one; whoever must keep a file's bytes keeps the untouched
// bytes themselves.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace game {

// The bytes (1 or 2) of `code_point`, or nothing when code page 932 has no form for it
// (U+FFFD, which the decoder gives for bytes that form no character, has none either).
std::optional<std::string> EncodeSjisCharacter(char32_t code_point);

// A character of the text that has no Shift-JIS form, at `index` (code points from 0).
struct UnencodableCharacter {
  std::size_t index;
  char32_t code_point;
  bool operator==(const UnencodableCharacter&) const = default;
};

struct SjisEncoding {
  std::string bytes;                              // the characters that have a form
  std::vector<UnencodableCharacter> unencodable;  // left to right; empty when all were written
};

SjisEncoding Utf32ToSjis(std::u32string_view text);

// UTF-8 as code points; bytes that are no well-formed UTF-8 become U+FFFD, one per byte.
std::u32string Utf8ToUtf32(std::string_view utf8);

}  // namespace game
