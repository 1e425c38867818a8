#include "rules/check/encoding.h"

#include <gtest/gtest.h>

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
