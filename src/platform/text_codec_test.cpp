#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(SjisToUtf8, DecodesAsciiKanaAndDoubleByteCharacters) {
  EXPECT_EQ(SjisToUtf8("@loop"), "@loop");
  EXPECT_EQ(SjisToUtf8("@\x88\xea\xb1"), "@一ｱ");  // a kanji and a half-width katakana
  EXPECT_EQ(SjisToUtf8(""), "");
}

}  // namespace
}  // namespace game
