#include "rules/story/special_move.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(SpecialMove, CountsDownSevenUsesThenHides) {
  SpecialMove move;
  // "★" is 81 9A in Shift-JIS, the full-width digits "０" to "９" are 82 4F to 82 58.
  for (char digit = '\x56'; digit >= '\x50'; --digit) {
    ASSERT_TRUE(move.Visible());
    EXPECT_EQ(move.Caption(), std::string("\x81\x9a\x82") + digit);
    move.Spend();
  }
  EXPECT_EQ(move.SpecialCount(), 0);
  EXPECT_FALSE(move.Visible());
  move.Spend();
  EXPECT_EQ(move.SpecialCount(), 0);
}

TEST(SpecialMove, FullWidthDigitsRunFromZeroToNine) {
  std::string all;
  for (int i = 0; i < 10; ++i) all += FullWidthDigit(i);
  EXPECT_EQ(all,
            "\x82\x4f\x82\x50\x82\x51\x82\x52\x82\x53\x82\x54\x82\x55\x82\x56\x82\x57\x82\x58");
}

TEST(SpecialMove, AMissSaysHowManyUsesAreLeft) {
  const struct {
    int uses_left;
    const char* said;
  } cases[] = {{6, "はずれ。残り6回"}, {1, "はずれ。残り1回"}, {0, "はずれ。残り0回"}};
  for (const auto& c : cases) EXPECT_EQ(MissAnnouncement(c.uses_left), c.said);
}

}  // namespace
}  // namespace game
