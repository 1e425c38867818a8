#include "rules/text/utf8.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(Utf8, TakesWellFormedSequencesOnly) {
  const struct {
    std::string bytes;
    std::size_t length;
    char32_t code;
  } cases[] = {
      {"", 0, 0},
      {"A", 1, U'A'},
      {"\xC3\xA9", 2, U'é'},
      {"\xE3\x81\x82x", 3, U'あ'},
      {"\xF0\x9F\x98\x80", 4, 0x1F600},
      {"\xC0\xAF", 0, 0},          // overlong '/'
      {"\xE0\x80\xAF", 0, 0},      // overlong
      {"\xED\xA0\x80", 0, 0},      // a surrogate
      {"\xF4\x90\x80\x80", 0, 0},  // past U+10FFFF
      {"\xE3\x81", 0, 0},          // cut short
      {"\x81", 0, 0},              // a continuation byte alone
      {"\xE3\x41\x82", 0, 0},      // a sequence broken by ASCII
  };
  for (const auto& c : cases) {
    const Utf8Sequence got = NextUtf8(c.bytes);
    EXPECT_EQ(got.length, c.length) << c.bytes;
    if (c.length != 0) EXPECT_EQ(got.code, c.code) << c.bytes;
  }
}

TEST(Utf8, WritesEveryLengthAndReadsItBack) {
  for (const char32_t c :
       {U'\0', U'A', U'\u07FF', U'\u0800', U'あ', U'\uFFFF', U'\U00010000', U'\U0010FFFF'}) {
    std::string out;
    AppendUtf8(out, c);
    const Utf8Sequence back = NextUtf8(out);
    EXPECT_EQ(back.length, out.size()) << static_cast<unsigned>(c);
    EXPECT_EQ(back.code, c);
  }
}

}  // namespace
}  // namespace game
