// Code page 932 as tables, made at build time by tools/make_cp932_table.py from Python's cp932
// codec (cp932_table.cpp in the build folder). kNoCharacter marks what forms no character.
#pragma once

#include <cstdint>

namespace game::cp932 {

inline constexpr std::uint16_t kNoCharacter = 0xFFFD;
inline constexpr int kFirstTrail = 0x40;
inline constexpr int kLastTrail = 0xFC;
inline constexpr std::uint8_t kNotALead = 0xFF;  // kRowOfLead: a single-byte character
inline constexpr std::uint8_t kEmptyRow = 0xFE;  // kRowOfLead: a lead byte with no characters

// The character of each single byte; lead bytes and unassigned bytes give kNoCharacter.
extern const std::uint16_t kSingle[256];
// For each byte: kNotALead, kEmptyRow, or the row of kPairs that holds its pairs.
extern const std::uint8_t kRowOfLead[256];
// The character of lead byte + trail byte kFirstTrail + i, at [row][i].
extern const std::uint16_t kPairs[][kLastTrail - kFirstTrail + 1];
extern const int kRowCount;

}  // namespace game::cp932
