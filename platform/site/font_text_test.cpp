#include "platform/site/font_text.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "rules/bmp/bmp_reader.h"
#include "rules/contracts/app_error.h"
#include "rules/contracts/file_system.h"
#include "rules/fakes/fakes.h"
#include "rules/story/game_texts.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/story_bench.h"

namespace game {
namespace {

// Each character of `utf8` that `font_text` lacks.
std::string Missing(const std::string& utf8, const std::string& font_text) {
  std::string missing;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    const std::string c = utf8.substr(pos, length);
    if (c != "\n" && font_text.find(c) == std::string::npos) missing += c;
    pos += length;
  }
  return missing;
}

TEST(FontText, HoldsEachCharacterOfTheStoryAndThePageOnceInCodePointOrder) {
  SjisTextDecoder decoder;
  // "いあ", CR LF, "あ" again, a lone lead byte, Ctrl-Z.
  const std::string text = FontText("\x82\xa2\x82\xa0\r\n\x82\xa0\x82\n\x1a", decoder, "ア");
  const auto a = text.find("あ");
  const auto i = text.find("い");
  ASSERT_NE(a, std::string::npos);
  ASSERT_NE(i, std::string::npos);
  EXPECT_LT(a, i);
  EXPECT_EQ(text.find("あ", a + 1), std::string::npos);
  EXPECT_NE(text.find("ア"), std::string::npos);
  for (const std::string absent : {"\r", "\n", "\x1a", "\xef\xbf\xbd"}) {
    EXPECT_EQ(text.find(absent), std::string::npos) << "a control or U+FFFD";
  }
}

TEST(FontText, HoldsEveryTextTheGameShowsItself) {
  SjisTextDecoder decoder;
  const std::string text = FontText("", decoder, "");
  std::vector<std::string> shown = {
      kEmptyPageText,     kGameTitleText,         kGameShortNameText,
      kNextButtonCaption, kPlayAgainCaption,      kBmpInvalidText,
      kBmpReadErrorText,  BmpCannotOpenText("x"), ReportText("範囲チェックエラー")};
  for (const int error : {ENOENT, ENOTDIR, EMFILE, EACCES, EIO}) {
    shown.push_back(FileErrorText(error));
  }
  SpecialMove special;
  for (int use = 0; use <= SpecialMove::kUses; ++use) {
    shown.push_back(SpecialButtonCaption(special, decoder));
    shown.push_back(SpecialButtonName(special.SpecialCount()));
    shown.push_back(MissAnnouncement(special.SpecialCount()));
    special.Spend();
  }
  // The special move's page, as the story makes it.
  testing::StoryBench bench;
  bench.script.LoadScript(UnitStory::kStoryPath, false);  // missing: its message
  ASSERT_FALSE(bench.boxes.shown.empty());
  for (const auto& message : bench.boxes.shown) shown.push_back(message.caption + message.text);
  fakes::FakeSoundOutput sound;
  MyWave wave(sound);
  bench.story.RestoreFlags({.trap_armed = true, .trap_label = "x"});
  std::int32_t portrait = 3;
  bench.story.TrapResponse(wave, portrait);
  shown.push_back(ReadablePage(bench.story.PageLines(), bench.story.PageLineCount(), decoder));
  for (const std::string& s : shown) EXPECT_EQ(Missing(s, text), "") << s;
}

}  // namespace
}  // namespace game
