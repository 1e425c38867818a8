#include "platform/window/accessibility.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <string>

#include "platform/graphics/unit_bmp.h"
#include "platform/qt/offscreen_bitmap.h"
#include "rules/story/game_texts.h"
#include "rules/text/sjis_decoder.h"
#include "tests/support/script_bytes.h"

namespace game {
namespace {

const std::string kA = "\x82\xa0";  // あ in Shift-JIS

TEST(ReadablePage, HoldsWhatThePictureShowsOfEachLine) {
  OffscreenBitmap canvas;
  canvas.SetSize(UnitBmp::kWidth, UnitBmp::kHeight);
  canvas.SetFontSize(UnitBmp::kFontPoints);
  canvas.SetFontBold(true);
  const VisibleHeadOf head = [&](std::string_view line) {
    return canvas.VisibleHead(UnitBmp::kTextX, line);
  };
  const std::string long_line = testing::Repeat(kA, 1 << 20);  // 2 MB, far wider than the picture
  const std::string blanks = "  \x81\x40";
  const UnitStory::PageLineViews lines = {"Hello", long_line, "", blanks, "not shown"};

  SjisTextDecoder decoder;
  const QString page = QString::fromStdString(ReadablePage(lines, 3, decoder, head));
  const QStringList read = page.split('\n');
  ASSERT_EQ(read.size(), 3) << page.left(200).toStdString();
  EXPECT_EQ(read[0], "Hello");
  // Enough あ to pass the right edge (about 13 fit), and no more than one measuring step past it.
  EXPECT_GE(read[1].size(), 14);
  EXPECT_LE(read[1].size(), 128);
  EXPECT_EQ(read[1], QString(read[1].size(), QChar(0x3042)));
  EXPECT_EQ(read[2], "");

  EXPECT_EQ(ReadablePage(lines, 0, decoder, head), kEmptyPageText);
  EXPECT_EQ(ReadablePage({"", blanks}, 2, decoder, head), kEmptyPageText);
}

}  // namespace
}  // namespace game
