#include "rules/text/sjis_encoder.h"

#include <cstdint>
#include <unordered_map>

#include "rules/text/cp932_table.h"

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

// The length of the well-formed UTF-8 sequence at the start of `bytes` and its code point;
// length 0 when there is none.
std::pair<std::size_t, char32_t> NextUtf8(std::string_view bytes) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char first = at(0);
  if (first < 0x80) return {1, first};
  std::size_t length = 0;
  char32_t code = 0;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, code = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, code = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, code = first & 0x07;
  } else {
    return {0, 0};
  }
  if (bytes.size() < length) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    if ((at(i) & 0xC0) != 0x80) return {0, 0};
    code = (code << 6) | (at(i) & 0x3F);
  }
  static constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  if (code < kShortest[length] || surrogate || code > 0x10FFFF) return {0, 0};
  return {length, code};
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
