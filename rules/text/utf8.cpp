#include "rules/text/utf8.h"

namespace game {

Utf8Sequence NextUtf8(std::string_view bytes) {
  if (bytes.empty()) return {0, 0};
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

void AppendUtf8(std::string& out, char32_t c) {
  const auto byte = [&](char32_t value) { out.push_back(static_cast<char>(value)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6)), byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12)), byte(0x80 | ((c >> 6) & 0x3F)), byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18)), byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F)), byte(0x80 | (c & 0x3F));
  }
}

}  // namespace game
