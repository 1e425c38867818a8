// How the bytes of a story file are encoded: byte-order marks, UTF-8 by mistake, and the spots
// that are no Shift-JIS (code page 932) character, found the way the game pairs bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace game::check {

enum class ByteOrderMark { kNone, kUtf8, kUtf16 };

// The mark the file's first bytes carry: EF BB BF (UTF-8), FF FE or FE FF (UTF-16).
ByteOrderMark ByteOrderMarkOf(std::string_view file_start);

// Whether `bytes` are well-formed UTF-8 (shortest forms, no surrogates, nothing past U+10FFFF).
bool IsUtf8(std::string_view bytes);

// What stops `iconv -f UTF-8 -t CP932` in UTF-8 `bytes`, left to right: each multi-byte character
// that `has_form` says has no code page 932 form, and the first bytes that are no UTF-8 at all
// (the scan ends there). Positions from 0.
struct ConversionStop {
  std::size_t position;
  std::size_t length;  // of the character; 1 for bytes that are no UTF-8
  bool utf8 = true;    // false: the bytes are no UTF-8
  bool operator==(const ConversionStop&) const = default;
};
using HasCp932Form = std::function<bool(std::string_view utf8_character)>;
std::vector<ConversionStop> Utf8ConversionStops(std::string_view bytes,
                                                const HasCp932Form& has_form);

// The code point of the well-formed UTF-8 character `character`, as "U+2661".
std::string CodePointName(std::string_view character);

// Whether any byte is 0x80 or above.
bool HasHighBytes(std::string_view bytes);

enum class SjisFaultKind {
  kNotACharacter,      // a byte or pair that is no character of code page 932
  kLoneLeadAtEnd,      // the line ends in a lead byte: the loader stores the line empty
  kLeadBeforeComment,  // a lead byte just before "//": it takes the first '/', the comment stays
};

struct SjisFault {
  SjisFaultKind kind;
  std::size_t position;  // byte from 0
  std::size_t length;    // 1 or 2
  bool operator==(const SjisFault&) const = default;
};

// Whether the bytes are characters of code page 932 (the platform's decoder decides).
using Cp932Test = std::function<bool(std::string_view)>;

// Whether a line of a Shift-JIS file was written in UTF-8 (pasted from elsewhere, say): `text` is
// well-formed UTF-8 with multi-byte characters, and either no Shift-JIS (`is_cp932` says no) or
// made only of what Japanese text in UTF-8 is made of: ASCII, kana and CJK punctuation
// (U+3000-U+30FF), CJK ideographs (U+4E00-U+9FFF), full-width and half-width forms
// (U+FF00-U+FFEF), and the punctuation and symbols of U+2000-U+2BFF. Japanese text in Shift-JIS
// seldom reads as UTF-8 at all (its kana begin with 0x82 or 0x83, which UTF-8 allows only inside a
// character), and when it does, it reads as characters from other ranges (Latin letters, CJK
// extension A after a rare kanji), so such a line is not taken for UTF-8.
bool LooksUtf8InShiftJis(std::string_view text, const Cp932Test& is_cp932);

// The faults of one line of a script file, left to right. Bytes are paired as the game pairs them:
// a lead byte (0x81-0x9F, 0xE0-0xFC) takes the next byte whatever it is. A pair whose second byte
// is outside 0x40-0x7E and 0x80-0xFC, and the single bytes 0x80, 0xA0 and 0xFD-0xFF, are no
// characters; every other byte or pair of 0x80 and above is one when `is_cp932` says so. The
// whole line is offered to `is_cp932` first, and the characters one by one only when it says no.
std::vector<SjisFault> ScanSjisLine(std::string_view line, const Cp932Test& is_cp932);

}  // namespace game::check
