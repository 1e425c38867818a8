#include "rules/check/half_width.h"

#include <gtest/gtest.h>

namespace game::check {
namespace {

TEST(HalfWidthForm, TurnsFullWidthCommandsAndLabelsIntoAscii) {
  const struct {
    const char* sjis;
    const char* half;
  } cases[] = {
      {"\x81\x97start", "@start"},                                              // ＠start
      {"\x81\x94\x82\x88\x82\x85\x82\x81\x82\x94\x82\x6E\x82\x8E", "#heatOn"},  // ＃ｈｅａｔＯｎ
      {"\x81\x94goto \x81\x97\x82\x60\x82\x79\x81\x51\x82\x4F\x82\x58",
       "#goto @AZ_09"},                            // ＃goto ＠ＡＺ＿０９
      {"#end", "#end"},                            // already ASCII
      {"\x8A\xBF\x8E\x9A", "\x8A\xBF\x8E\x9A"},    // 漢字 stays
      {"\x82\xA0\x81\x40x", "\x82\xA0\x81\x40x"},  // あ and the full-width space stay
      {"\x94\x81\x97", "\x94\x81\x97"},            // a trail byte 0x81 then 0x97 is no ＠
      {"x\x81", "x\x81"},                          // a lone lead byte at the end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HalfWidthForm(c.sjis), c.half) << c.half;
    EXPECT_EQ(HasFullWidthAscii(c.sjis), std::string(c.sjis) != c.half) << c.half;
  }
}

}  // namespace
}  // namespace game::check
