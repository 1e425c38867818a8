#include "rules/text/my_crypt.h"

#include <gtest/gtest.h>

namespace game {
namespace {

using namespace std::string_literals;

TEST(MyCrypt, FlipsTheMaskBitsOfEveryByteFromSpaceUp) {
  const struct {
    std::string scrambled, plain;
  } cases[] = {
      {"\t\x84\xa6", "\t\x82\xa0"},        // tab kept, both bytes of a Shift-JIS character changed
      {"\x1f\x20\x7f", "\x1f\x26\x79"},    // 0x1F is below the limit, 0x20 is not
      {"\r\n\x1a\x00"s, "\r\n\x1a\x00"s},  // control bytes never change
      {"Fjjo&", "@lli "},
      {"\xff\xfa", "\xf9\xfc"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UnscrambleLine(c.scrambled), c.plain) << c.plain;
}

TEST(MyCrypt, UndoesItselfAndNeverMakesAControlByte) {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte.push_back(static_cast<char>(b));
  const std::string once = UnscrambleLine(every_byte);
  EXPECT_EQ(UnscrambleLine(once), every_byte);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(static_cast<unsigned char>(once[b]) < 32, b < 32) << b;
  }
}

}  // namespace
}  // namespace game
