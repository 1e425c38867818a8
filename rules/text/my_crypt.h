// MyCrypt: undoes the line scrambling a scrambled script file carries.
#pragma once

#include <string>

namespace game {

// The scramble mask: below 32, so a byte of 32 or more never becomes a control byte.
inline constexpr unsigned char kScrambleMask = 0x06;

// `s` with every byte of value 32 or more XOR-ed with kScrambleMask, byte by byte (not character
// by character); bytes below 32 (line ends, tabs, Ctrl-Z) are copied unchanged. Applying it twice
// gives back `s`, so it also scrambles. Works in the string it is given: pass a line that is no
// longer needed with std::move and no copy of it is made.
std::string UnscrambleLine(std::string s);

}  // namespace game
