#include "rules/text/sjis_decoder.h"

#include "rules/text/cp932_table.h"
#include "rules/text/utf8.h"

namespace game {

SjisCharacter DecodeSjisCharacter(std::string_view bytes, std::size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  const std::uint8_t row = cp932::kRowOfLead[lead];
  if (row == cp932::kNotALead) return {cp932::kSingle[lead], 1};
  if (at + 1 >= bytes.size()) return {cp932::kNoCharacter, 1};
  const int trail = static_cast<unsigned char>(bytes[at + 1]);
  if (row == cp932::kEmptyRow || trail < cp932::kFirstTrail || trail > cp932::kLastTrail) {
    return {cp932::kNoCharacter, 1};
  }
  const std::uint16_t code_point = cp932::kPairs[row][trail - cp932::kFirstTrail];
  if (code_point == cp932::kNoCharacter) return {cp932::kNoCharacter, 1};
  return {code_point, 2};
}

std::u32string SjisToUtf32(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const SjisCharacter c = DecodeSjisCharacter(bytes, at);
    text.push_back(c.code_point);
    at += c.length;
  }
  return text;
}

std::string SjisToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() * 3 / 2);
  for (std::size_t at = 0; at < bytes.size();) {
    const SjisCharacter c = DecodeSjisCharacter(bytes, at);
    AppendUtf8(text, c.code_point);
    at += c.length;
  }
  return text;
}

bool IsCp932Text(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const SjisCharacter c = DecodeSjisCharacter(bytes, at);
    if (c.code_point == cp932::kNoCharacter) return false;
    at += c.length;
  }
  return true;
}

std::string SjisTextDecoder::SjisToUtf8(std::string_view sjis) { return game::SjisToUtf8(sjis); }

}  // namespace game
