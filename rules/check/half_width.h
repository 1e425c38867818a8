// The half-width form of what an author typed with the input method on: commands and labels are
// ASCII, but "＃ｈｅａｔＯｎ" and "＠start" are easy to write by mistake in a Japanese story.
#pragma once

#include <string>
#include <string_view>

namespace game::check {

// `sjis` (Shift-JIS) with every full-width letter, digit, "＃", "＠" and "＿" replaced by its
// ASCII form; every other character, double-byte or not, is kept as it is.
std::string HalfWidthForm(std::string_view sjis);

// Whether `sjis` holds a character that HalfWidthForm changes.
bool HasFullWidthAscii(std::string_view sjis);

}  // namespace game::check
