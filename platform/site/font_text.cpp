#include "platform/site/font_text.h"

#include <cstdint>
#include <set>

#include "rules/story/game_texts.h"

namespace game {
namespace {

void AddCodePoints(const std::string& utf8, std::set<std::uint32_t>& out) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (pos + length > utf8.size()) break;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[pos + i]) & 0x3F);
    }
    pos += length;
    if (code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0) && code != 0xFFFD) {
      out.insert(code);
    }
  }
}

void AppendUtf8(std::uint32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string MakeFixedFontText() {
  std::string text;
  for (char c = 0x20; c < 0x7F; ++c) text += c;
  text += "＞次へ★０１２３４５６７８９";
  text += SpecialButtonName(0);
  text += kEmptyPageText;
  text += kGameTitleText;
  // The special move's page.
  text += "ルクサリム大発動！わたしの思考が飛躍したー♪";
  // The dialogs: missing files, file and bitmap errors, the jump cycle; the end's button.
  text += "『』が見つかりません。終了します。ファイル は開けません";
  text += "ビットマップイメージが不正ですストリームからの読み込みエラー";
  text += "ファイルが見つかりません不正なファイル名ですオープンしたファイルが多すぎます";
  text += "ファイルへのアクセスが拒否されましたI/O エラー範囲チェックエラーメモリが不足しています";
  text += "「」へのジャンプが堂々巡りになっていて、表示する文がありません。";
  text += "もう一度はじめから";
  return text;
}

}  // namespace

const std::string& FixedFontText() {
  static const std::string text = MakeFixedFontText();
  return text;
}

std::string FontText(std::string_view story, TextDecoder& decoder, const std::string& page) {
  std::set<std::uint32_t> codes;
  AddCodePoints(FixedFontText(), codes);
  AddCodePoints(page, codes);
  // Each line alone, as the game decodes its page lines.
  for (std::size_t start = 0; start < story.size();) {
    std::size_t end = story.find('\n', start);
    if (end == std::string_view::npos) end = story.size();
    AddCodePoints(decoder.SjisToUtf8(story.substr(start, end - start)), codes);
    start = end + 1;
  }
  std::string text;
  for (const std::uint32_t code : codes) AppendUtf8(code, text);
  return text;
}

}  // namespace game
