// UTF-8 as the rules read and write it: one decoder that takes only well-formed sequences (no
// overlong forms, no surrogates, nothing past U+10FFFF) and one encoder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace game {

struct Utf8Sequence {
  std::size_t length;  // bytes; 0 when the bytes start no well-formed sequence
  char32_t code;
};

// The well-formed sequence at the start of `bytes`, or length 0 (an empty view, a byte that
// starts no sequence, a sequence cut short or malformed).
Utf8Sequence NextUtf8(std::string_view bytes);

// `c` (at most U+10FFFF) appended to `out` in UTF-8.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace game
