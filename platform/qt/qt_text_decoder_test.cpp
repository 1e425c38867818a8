#include "platform/qt/qt_text_decoder.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(QtTextDecoder, DecodesAsciiKanaAndDoubleByteCharacters) {
  QtTextDecoder decoder;
  EXPECT_EQ(decoder.SjisToUtf8("@loop"), "@loop");
  EXPECT_EQ(decoder.SjisToUtf8("@\x88\xea\xb1"), "@一ｱ");  // a kanji and a half-width katakana
  EXPECT_EQ(decoder.SjisToUtf8(""), "");
}

}  // namespace
}  // namespace game
