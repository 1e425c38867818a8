#include "platform/qt/sjis_decoder.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(SjisDecoder, GivesTheRulesDecodersCharactersAsQtText) {
  SjisDecoder decoder;
  const struct {
    std::string_view bytes;
    std::u16string_view text;
  } cases[] = {
      {"", u""},
      {"Next >", u"Next >"},
      {"\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57", u"次のページ"},
      {"\xB1\x81\x9A", u"\uFF71\u2605"},
      {"A\x82", u"A\uFFFD"},  // a lead byte at the end
      {"\x1A\x80", u"\u001A\uFFFD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decoder.Decode(c.bytes), QString::fromUtf16(c.text.data(), c.text.size())) << c.bytes;
  }
}

}  // namespace
}  // namespace game
