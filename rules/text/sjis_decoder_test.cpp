#include "rules/text/sjis_decoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace game {
namespace {

// Python's cp932 reads these single bytes as U+0080 and private-use code points, although code
// page 932 assigns them no character: the decoder gives U+FFFD.
char32_t Expected(char32_t python) {
  const bool unassigned_single = python == 0x80 || (python >= 0xF8F0 && python <= 0xF8F3);
  return unassigned_single ? U'\uFFFD' : python;
}

// Every single byte and every lead byte before every byte, as Python's cp932 codec reads them
// (errors replaced): lines "BYTES CODEPOINT..." in hexadecimal, made at build time.
TEST(SjisDecoder, ReadsEveryByteAndPairAsPythonsCp932Does) {
  std::ifstream reference(GAME_CP932_REFERENCE);
  ASSERT_TRUE(reference) << "no reference table in the build folder";
  std::string line;
  int cases = 0, pairs_read_as_one = 0;
  while (std::getline(reference, line)) {
    std::istringstream fields(line);
    std::string hex;
    fields >> hex;
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
      bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    std::u32string expected;
    for (std::string code; fields >> code;)
      expected.push_back(Expected(std::stoul(code, nullptr, 16)));
    const std::u32string text = SjisToUtf32(bytes);
    EXPECT_EQ(text, expected) << hex;
    EXPECT_EQ(IsCp932Text(bytes), expected.find(U'\uFFFD') == std::u32string::npos) << hex;
    if (bytes.size() == 2 && text.size() == 1) ++pairs_read_as_one;
    ++cases;
  }
  EXPECT_EQ(cases, 256 + 60 * 256);  // the 60 lead bytes 0x81-0x9F and 0xE0-0xFC
  EXPECT_GT(pairs_read_as_one, 9000);
}

TEST(SjisDecoder, ReadsTheGamesTextAndKeepsTheContractForWhatFormsNoCharacter) {
  const struct {
    std::string_view bytes;
    std::u32string_view text;
  } cases[] = {
      {"", U""},
      {"Next >", U"Next >"},
      {"\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57", U"次のページ"},  // kanji, katakana, long vowel
      {"\xB1\xB2", U"\uFF71\uFF72"},                                // half-width katakana
      {"\x5C\x7E", U"\\~"},                                         // the ASCII half is ASCII
      {"\x81\x60", U"\uFF5E"},                  // full-width tilde, not the wave dash
      {"\x87\x40", U"\u2460"},                  // NEC circled one
      {"\xFA\x40", U"\u2170"},                  // IBM small roman one
      {"\xF0\x40", U"\uE000"},                  // user-defined area: private use
      {"\x1A\x1C\x7F", U"\u001A\u001C\u007F"},  // control bytes are themselves
      {"\x80\xA0\xFD\xFE\xFF", U"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"A\x82", U"A\uFFFD"},              // a lead byte at the end
      {"\x81\x39", U"\uFFFD9"},           // a trail byte out of range is read again
      {"\x85\x40", U"\uFFFD@"},           // an unassigned pair
      {"\x85\x81\x40", U"\uFFFD\u3000"},  // the second byte starts the next character
      {"\x88\x9F\x82", U"\u4E9C\uFFFD"},  // both bytes of the kanji are lead-range bytes
  };
  for (const auto& c : cases) EXPECT_EQ(SjisToUtf32(c.bytes), c.text) << c.bytes;
}

TEST(SjisDecoder, WritesUtf8OfOneTwoAndThreeBytes) {
  EXPECT_EQ(SjisToUtf8("@\x88\xea\xb1"), "@一ｱ");
  EXPECT_EQ(SjisToUtf8("\x81\x8B\x80"), "°\xEF\xBF\xBD");  // U+00B0, then U+FFFD
  SjisTextDecoder decoder;
  EXPECT_EQ(decoder.SjisToUtf8("\x82\xA0"), "あ");
  EXPECT_EQ(decoder.SjisToUtf8("@\x88\xea\xb1"), "@一ｱ");  // a kanji and a half-width katakana
  EXPECT_EQ(decoder.SjisToUtf8("@loop"), "@loop");
  EXPECT_EQ(decoder.SjisToUtf8(""), "");
}

}  // namespace
}  // namespace game
