#include "qt/sjis_decoder.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(SjisDecoder, ReadsCodePage932) {
  SjisDecoder decoder;
  ASSERT_FALSE(decoder.Decode("A").isEmpty()) << "no windows-31j codec in this Qt";
  const struct {
    std::string_view bytes;
    std::u16string_view text;
  } cases[] = {
      {"", u""},
      {"Next >", u"Next >"},
      {"\x82\xA0\x82\xA2", u"\u3042\u3044"},                        // hiragana a, i
      {"\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57", u"次のページ"},  // kanji, katakana, long vowel
      {"\xB1\xB2", u"\uFF71\uFF72"},                                // half-width katakana a, i
      {"\x81\x40", u"\u3000"},                                      // full-width space
      {"\x5C\x7E", u"\\~"},                                         // the ASCII half is plain ASCII
      {"\x81\x60", u"\uFF5E"},  // full-width tilde, not the wave dash
      {"\x81\x7C", u"\uFF0D"},  // full-width minus
      {"\x87\x40", u"\u2460"},  // NEC circled one
      {"\xFA\x40", u"\u2170"},  // IBM small roman one
      {"\x81\x9A", u"\u2605"},
      {"\x88\x9F\x82",
       u"\u4E9C\uFFFD"},  // both bytes of the kanji are lead-range bytes  // black star
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decoder.Decode(c.bytes), QString::fromUtf16(c.text.data(), c.text.size())) << c.bytes;
  }
}

TEST(SjisDecoder, EachCallStandsAlone) {
  SjisDecoder decoder;
  const QString cut = decoder.Decode("A\x82");  // a lead byte with nothing after it
  EXPECT_EQ(cut.size(), 2);
  EXPECT_EQ(cut[0], u'A');
  EXPECT_EQ(cut[1], QChar(QChar::ReplacementCharacter));
  EXPECT_NE(decoder.Decode("\xA0"),
            QString::fromUtf16(u"\u3042"));  // not the second half of 0x82 0xA0
}

}  // namespace
}  // namespace game
