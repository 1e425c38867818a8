#include "rules/story/game_texts.h"

#include <algorithm>
#include <cstdint>

#include "rules/text/my_string.h"
#include "rules/text/utf8.h"

namespace game {
namespace {

// The next code point of `s` from `pos` (advanced past it); a byte that starts no UTF-8
// sequence counts as a code point of its own that is not white space.
std::uint32_t NextCodePoint(const std::string& s, std::size_t& pos) {
  const Utf8Sequence next = NextUtf8(std::string_view(s).substr(pos));
  if (next.length == 0) {
    ++pos;
    return 0xFFFD;
  }
  pos += next.length;
  return next.code;
}

bool IsWhiteSpace(std::uint32_t code) {
  return (code >= 0x09 && code <= 0x0D) || code == 0x20 || code == 0x85 || code == 0xA0 ||
         code == 0x1680 || (code >= 0x2000 && code <= 0x200A) || code == 0x2028 || code == 0x2029 ||
         code == 0x202F || code == 0x205F || code == 0x3000;
}

}  // namespace

bool IsBlankText(const std::string& utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (!IsWhiteSpace(NextCodePoint(utf8, pos))) return false;
  }
  return true;
}

std::string_view ByteHead(std::string_view line, std::size_t max_bytes) {
  std::size_t cut = std::min(line.size(), max_bytes);
  if (cut < line.size() && IsSjisTrailPosition(line, cut)) ++cut;
  return line.substr(0, cut);
}

namespace {

// What shows of each of the first `count` lines (the whole line without `visible_head`), decoded
// and joined by line feeds.
std::string JoinedHeads(const PageLineArray& lines, int count, TextDecoder& decoder,
                        const VisibleHeadOf& visible_head) {
  std::string text;
  const int shown = std::clamp(count, 0, static_cast<int>(lines.size()));
  for (int i = 0; i < shown; ++i) {
    const std::string_view line = lines[static_cast<std::size_t>(i)];
    if (i > 0) text += '\n';
    text += decoder.SjisToUtf8(visible_head ? visible_head(line) : line);
  }
  return text;
}

}  // namespace

std::string ReadablePage(const PageLineArray& lines, int count, TextDecoder& decoder,
                         const VisibleHeadOf& visible_head) {
  std::string page = JoinedHeads(lines, count, decoder, visible_head);
  return IsBlankText(page) ? kEmptyPageText : page;
}

std::string PageHeads(const PageLineArray& lines, int count, std::size_t max_bytes,
                      TextDecoder& decoder) {
  return JoinedHeads(lines, count, decoder,
                     [max_bytes](std::string_view line) { return ByteHead(line, max_bytes); });
}

std::string SpecialButtonName(int uses_left) {
  return "必殺技ルクサリム（残り" + std::to_string(uses_left) + "回）";
}

std::string SpecialButtonCaption(const SpecialMove& special, TextDecoder& decoder) {
  return decoder.SjisToUtf8(special.Caption());
}

}  // namespace game
