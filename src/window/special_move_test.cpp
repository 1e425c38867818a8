#include "window/special_move.h"

#include <gtest/gtest.h>

#include "platform/text_codec.h"

namespace game {
namespace {

TEST(SpecialMove, CountsDownSevenUsesThenHides) {
  SpecialMove move;
  const char* captions[] = {"★７", "★６", "★５", "★４", "★３", "★２", "★１"};
  for (const char* caption : captions) {
    ASSERT_TRUE(move.Visible());
    EXPECT_EQ(SjisToUtf8(move.Caption()), caption);
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
  EXPECT_EQ(SjisToUtf8(all), "０１２３４５６７８９");
}

}  // namespace
}  // namespace game
