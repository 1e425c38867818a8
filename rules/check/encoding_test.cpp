#include "rules/check/encoding.h"

#include <gtest/gtest.h>

#include "rules/text/sjis_decoder.h"

namespace game::check {
namespace {

// A decoder that knows no character beginning with 0x85.
bool NoRow85(std::string_view bytes) { return bytes.find('\x85') == std::string_view::npos; }

TEST(Encoding, FindsTheSpotsThatAreNoShiftJisCharacterAsTheGamePairsBytes) {
  using K = SjisFaultKind;
  const struct {
    const char* name;
    std::string line;
    std::vector<SjisFault> faults;
  } cases[] = {
      {"ASCII and katakana", "abc \xB1\xB2 \x82\xA0", {}},
      {"unassigned pair",
       "a\x85\x40"
       "b\x85\x41",
       {{K::kNotACharacter, 1, 2}, {K::kNotACharacter, 4, 2}}},
      {"bytes that begin nothing",
       "\x80\xA0\xFD",
       {{K::kNotACharacter, 0, 1}, {K::kNotACharacter, 1, 1}, {K::kNotACharacter, 2, 1}}},
      {"bad second byte", "\x82\x20x", {{K::kNotACharacter, 0, 2}}},
      // The lead byte takes 0x82 as its second byte, so the next pair starts at byte 2.
      {"lead bytes in a row", "\x82\x82\x82\xA0", {}},
      {"lone lead at the end", "ab\x82", {{K::kLoneLeadAtEnd, 2, 1}}},
      {"lead before a comment", "a\x82// c", {{K::kLeadBeforeComment, 1, 1}}},
      {"a slash after a pair is a comment", "\x82\xA0// c", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScanSjisLine(c.line, NoRow85), c.faults) << c.name;
  }
}

// Both directions: Shift-JIS lines that happen to be well-formed UTF-8 stay Shift-JIS, and lines in
// UTF-8 that happen to be Shift-JIS too are told apart by what they read as.
TEST(Encoding, TellsALinePastedInUtf8FromShiftJisThatLooksLikeIt) {
  const struct {
    const char* name;
    std::string line;
    bool utf8;
  } cases[] = {
      {"Shift-JIS あいう: not UTF-8 at all", "\x82\xA0\x82\xA2\x82\xA4", false},
      {"Shift-JIS 罠、 reads as UTF-8 U+3A41 'A' (CJK extension A)", "\xE3\xA9\x81\x41", false},
      {"Shift-JIS 辮と。 reads as UTF-8 U+3402, U+0181 (Latin) and 'B'", "\xE3\x90\x82\xC6\x81\x42",
       false},
      {"Shift-JIS 亜と。: not UTF-8", "\x88\x9F\x82\xC6\x81\x42", false},
      // The rule's known miss: a rare kanji and a half-width kana alone on a line.
      {"Shift-JIS 蟾ｷ reads as UTF-8 巷 (U+5DF7)", "\xE5\xB7\xB7", true},
      {"ASCII only", "plain text", false},
      {"UTF-8 あいう, no Shift-JIS", "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x86", true},
      {"UTF-8 物語, no Shift-JIS", "\xE7\x89\xA9\xE8\xAA\x9E", true},
      {"UTF-8 時間 that is Shift-JIS 譎る俣 too", "\xE6\x99\x82\xE9\x96\x93", true},
      {"UTF-8 大丈夫 that is Shift-JIS 螟ｧ荳亥､ｫ too", "\xE5\xA4\xA7\xE4\xB8\x88\xE5\xA4\xAB",
       true},
      {"UTF-8 ♡ (U+2661) that is Shift-JIS too", "\xE2\x99\xA1", true},
      {"UTF-8 full-width Ａ", "\xEF\xBC\xA1", true},
      {"UTF-8 café: Latin letters, Shift-JIS half-width kana", "caf\xC3\xA9", false},
      {"UTF-8 café and あ: no Shift-JIS", "caf\xC3\xA9 \xE3\x81\x82", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LooksUtf8InShiftJis(c.line, IsCp932Text), c.utf8) << c.name;
  }
}

TEST(Encoding, TellsUtf8AndByteOrderMarks) {
  EXPECT_TRUE(IsUtf8("plain"));
  EXPECT_TRUE(IsUtf8("\xE3\x81\x82\xF0\x9F\x8C\x9F"));
  EXPECT_FALSE(IsUtf8("\x82\xA0"));      // Shift-JIS あ
  EXPECT_FALSE(IsUtf8("\xC0\xAF"));      // an overlong '/'
  EXPECT_FALSE(IsUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_FALSE(IsUtf8("\xE3\x81"));      // cut short
  EXPECT_EQ(ByteOrderMarkOf("\xEF\xBB\xBF@a"), ByteOrderMark::kUtf8);
  EXPECT_EQ(ByteOrderMarkOf("\xFF\xFE@\0"), ByteOrderMark::kUtf16);
  EXPECT_EQ(ByteOrderMarkOf("\x82\xA0"), ByteOrderMark::kNone);
}

}  // namespace
}  // namespace game::check
