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
#include "rules/text/utf8.h"

namespace game {
namespace {

// The code points of `utf8` that draw something; bytes that form no character are passed over.
void AddCodePoints(const std::string& utf8, std::set<std::uint32_t>& out) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Utf8Sequence next = NextUtf8(std::string_view(utf8).substr(pos));
    pos += next.length != 0 ? next.length : 1;
    const char32_t code = next.code;
    if (next.length != 0 && code >= 0x20 && code != 0x7F && !(code >= 0x80 && code < 0xA0) &&
        code != 0xFFFD) {
      out.insert(code);
    }
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
  for (const std::uint32_t code : codes) AppendUtf8(text, code);
  return text;
}

}  // namespace game
