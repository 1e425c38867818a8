#include "platform/site/font_text.h"

#include <cerrno>
#include <cstdint>
#include <set>

#include "rules/bmp/bmp_reader.h"
#include "rules/contracts/app_error.h"
#include "rules/contracts/file_system.h"
#include "rules/script/my_script.h"
#include "rules/story/game_texts.h"
#include "rules/story/special_move.h"
#include "rules/story/unit_story.h"
#include "rules/text/sjis_decoder.h"

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
  // The buttons and what assistive technology hears of them.
  text += std::string(kNextButtonCaption) + kSpecialButtonFirstCaption + kPlayAgainCaption;
  SpecialMove special;
  for (int uses = SpecialMove::kUses; uses >= 0; --uses, special.Spend()) {
    text += SjisToUtf8(special.Caption()) + SpecialButtonName(uses) + MissAnnouncement(uses);
  }
  for (int digit = 0; digit < 10; ++digit) text += SjisToUtf8(FullWidthDigit(digit));
  text += std::string(kEmptyPageText) + kGameTitleText + kGameShortNameText;
  for (const char* line : UnitStory::kAnswerLines) text += SjisToUtf8(line);
  // The messages: a missing story, a jump cycle, the errors the report shows.
  text += kMissingScriptCaption + MissingScriptText("") + kStepMessageCaption + JumpCycleText("");
  text += ReportText(kRangeErrorText) + ReportText(kOutOfMemoryText);
  text += std::string(kBmpInvalidText) + kBmpReadErrorText + BmpCannotOpenText("");
  for (const int error : {ENOENT, ENOTDIR, EMFILE, EACCES, EIO}) text += FileErrorText(error);
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
