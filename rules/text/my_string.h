// MyString: byte-string routines over Shift-JIS text (code page 932). Lengths and positions count
// bytes. A double-byte character begins with a lead byte (0x81-0x9F or 0xE0-0xFC); every other
// byte, half-width katakana 0xA1-0xDF included, is a character of its own.
//
// Character-aware search: a byte-exact search that skips a candidate starting on the second byte
// of a double-byte character, that is a candidate after a run of lead-range bytes of odd length,
// and goes on one byte later. It serves every search and replacement of the script store.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace game {

// A word array of fixed capacity: callers make it with max_index + 1 entries and pass max_index.
using WordArray = std::vector<std::string>;

// True for a byte that begins a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsSjisLeadByte(unsigned char byte);

// True when byte `pos` (from 0) of `s` is the second byte of a double-byte character: the run of
// lead-range bytes just before it has odd length. Reads only s[0, pos).
bool IsSjisTrailPosition(std::string_view s, std::size_t pos);

// The first character-aware occurrence of `what` in `s` at or after `from` (from 0), or npos.
// Character boundaries are those of the whole of `s`; `from` only says where to begin looking.
// An empty `what` is never found. Linear in the length of `s` for a fixed `what`.
std::size_t FindSjis(std::string_view s, std::string_view what, std::size_t from = 0);

// `s` with every character-aware occurrence of `what` replaced by `with`, left to right and
// non-overlapping; replaced text is never searched again, and the text after a replacement is
// searched as a string of its own. An empty `what` replaces nothing. Linear.
std::string ReplaceAllSjis(std::string_view s, std::string_view what, std::string_view with);

// What "replace every pair of spaces by one space until no pair is left", done with
// ReplaceAllSjis, gives: each run of spaces becomes one space, except that a run whose first
// space stands on the second byte of a double-byte character keeps that space and becomes two
// spaces when it is longer than one. Computed in one linear pass.
std::string CollapseSpaces(std::string_view s);

// `s` without the bytes of value 32 or less at either end.
std::string TrimControl(std::string_view s);

// The first `n` bytes of `s`: all of `s` when it is shorter, empty for n <= 0.
std::string HeadText(const std::string& s, int n);

// Splits `s` at every character-aware occurrence of `separator` into words[0..max_index]:
// - an empty separator returns at once and leaves `words` exactly as it was;
// - otherwise words[0..max_index] are emptied first (the array grows to max_index + 1 entries
//   when it is smaller), then `separator` is appended to a copy of `s` and the words before each
//   occurrence, searched for in what is left after the previous one, are stored from index 0 up;
// - a word beyond max_index is not stored: the split throws the range error (game::AppError
//   "範囲チェックエラー") there, the words before it stay stored.
// So "" gives one empty word, "a " split at " " gives "a" and "", and "x/" split at "//" gives
// "x" (the appended separator joins the trailing slash).
void SplitText(const std::string& s, const std::string& separator, WordArray& words, int max_index);

}  // namespace game
