#include "rules/text/sjis_encoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "rules/text/sjis_decoder.h"

namespace game {
namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

// Every byte and pair that the decoder reads as one character comes back from the encoder as the
// same bytes, except the 398 later twins of repeated characters, which come back as the first form.
TEST(SjisEncoder, WritesBackEveryCharacterTheDecoderReads) {
  std::ifstream reference(GAME_CP932_REFERENCE);
  ASSERT_TRUE(reference) << "no reference table in the build folder";
  int same = 0, twins = 0;
  for (std::string line; std::getline(reference, line);) {
    const std::string bytes = FromHex(line.substr(0, line.find(' ')));
    const std::u32string text = SjisToUtf32(bytes);
    if (text.size() != 1 || text[0] == U'\uFFFD') continue;
    const auto encoded = EncodeSjisCharacter(text[0]);
    ASSERT_TRUE(encoded) << line;
    EXPECT_EQ(SjisToUtf32(*encoded), text) << line;
    if (*encoded == bytes) {
      ++same;
      continue;
    }
    ++twins;
    EXPECT_LT(*encoded, bytes) << line;
  }
  EXPECT_EQ(twins, 398);
  EXPECT_GT(same, 7000);
}

TEST(SjisEncoder, WritesTheFirstFormOfRepeatedCharacters) {
  const struct {
    char32_t code_point;
    std::string_view bytes;
  } cases[] = {
      {U'A', "A"},         {U'\\', "\x5C"},         {U'\x1A', "\x1A"},
      {U'ｱ', "\xB1"},      {U'一', "\x88\xEA"},     {U'\uFF5E', "\x81\x60"},
      {U'≒', "\x81\xE0"},  {U'Ⅰ', "\x87\x54"},      {U'ⅰ', "\xEE\xEF"},
      {U'￢', "\x81\xCA"}, {U'\u7E8A', "\xED\x40"}, {U'\uE000', "\xF0\x40"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeSjisCharacter(c.code_point), std::string(c.bytes))
        << std::hex << static_cast<unsigned>(c.code_point);
  }
}

TEST(SjisEncoder, ReportsEachCharacterWithoutAFormAtItsPosition) {
  const struct {
    std::u32string_view text;
    std::string_view bytes;
    std::vector<UnencodableCharacter> unencodable;
  } cases[] = {
      {U"", "", {}},
      {U"あ♡い", "\x82\xA0\x82\xA2", {{1, U'♡'}}},
      {U"♡\uFFFD😀", "", {{0, U'♡'}, {1, U'\uFFFD'}, {2, U'😀'}}},
      {U"\u00A5\u2015~", "\x81\x5C~", {{0, U'\u00A5'}}},  // no yen; U+2015 is the JIS dash
  };
  for (const auto& c : cases) {
    const SjisEncoding encoding = Utf32ToSjis(c.text);
    EXPECT_EQ(encoding.bytes, c.bytes);
    EXPECT_EQ(encoding.unencodable, c.unencodable);
  }
}

// The bundled story decodes and encodes to its own bytes.
TEST(SjisEncoder, WritesTheBundledStoryBackByteForByte) {
  std::ifstream file(std::string(GAME_SOURCE_DIR) + "/dat/story.txt", std::ios::binary);
  ASSERT_TRUE(file);
  const std::string bytes{std::istreambuf_iterator<char>(file), {}};
  ASSERT_GT(bytes.size(), 1000u);
  const SjisEncoding encoding = Utf32ToSjis(SjisToUtf32(bytes));
  EXPECT_TRUE(encoding.unencodable.empty());
  EXPECT_EQ(encoding.bytes, bytes);
}

TEST(SjisEncoder, ReadsUtf8AndMarksWhatIsNoUtf8) {
  EXPECT_EQ(Utf8ToUtf32("a♡😀"), U"a♡😀");
  EXPECT_EQ(Utf8ToUtf32("\xC0\xAF"
                        "b\xED\xA0\x80"),
            U"\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf32("\xE3\x81"), U"\uFFFD\uFFFD");
}

}  // namespace
}  // namespace game
