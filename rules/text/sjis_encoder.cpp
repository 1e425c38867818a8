#include "rules/text/sjis_encoder.h"

#include <cstdint>
#include <unordered_map>

#include "rules/text/cp932_table.h"
#include "rules/text/utf8.h"

namespace game {
namespace {

using FormMap = std::unordered_map<char32_t, std::uint16_t>;  // code point -> 0x00XX or 0xLLTT

void AddPairs(FormMap& forms) {
  for (int lead = 0; lead < 256; ++lead) {
    const std::uint8_t row = cp932::kRowOfLead[lead];
    if (row == cp932::kNotALead || row == cp932::kEmptyRow) continue;
    for (int trail = cp932::kFirstTrail; trail <= cp932::kLastTrail; ++trail) {
      const char32_t c = cp932::kPairs[row][trail - cp932::kFirstTrail];
      if (c != cp932::kNoCharacter) forms.try_emplace(c, (lead << 8) | trail);
    }
  }
}

// The decoder's table read backwards: the first form in byte order wins.
FormMap MakeForms() {
  FormMap forms;
  for (int byte = 0; byte < 256; ++byte) {
    const char32_t c = cp932::kSingle[byte];
    if (c != cp932::kNoCharacter) forms.try_emplace(c, byte);
  }
  AddPairs(forms);
  return forms;
}

const FormMap& Forms() {
  static const FormMap forms = MakeForms();
  return forms;
}

}  // namespace

std::optional<std::string> EncodeSjisCharacter(char32_t code_point) {
  const auto found = Forms().find(code_point);
  if (found == Forms().end()) return std::nullopt;
  const std::uint16_t form = found->second;
  if (form < 0x100) return std::string(1, static_cast<char>(form));
  return std::string{static_cast<char>(form >> 8), static_cast<char>(form & 0xFF)};
}

SjisEncoding Utf32ToSjis(std::u32string_view text) {
  SjisEncoding result;
  result.bytes.reserve(text.size() * 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (const auto bytes = EncodeSjisCharacter(text[i])) {
      result.bytes += *bytes;
    } else {
      result.unencodable.push_back({i, text[i]});
    }
  }
  return result;
}

std::u32string Utf8ToUtf32(std::string_view utf8) {
  std::u32string text;
  text.reserve(utf8.size());
  while (!utf8.empty()) {
    const auto [length, code] = NextUtf8(utf8);
    text.push_back(length == 0 ? U'\uFFFD' : code);
    utf8.remove_prefix(length == 0 ? 1 : length);
  }
  return text;
}

}  // namespace game
