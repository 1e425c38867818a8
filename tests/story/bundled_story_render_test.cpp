// The bundled story's pages over the bundled frames: every tick's picture, whose text the renderer
// keeps per page and frame, equals the frame with the page's lines drawn on it directly.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/graphics/fake_paint_target.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/folder_file_system.h"
#include "rules/fakes/silent_services.h"
#include "rules/sound/my_wave.h"
#include "rules/story/unit_story.h"

namespace game {
namespace {

bool InHeat(int x, int y) {
  return y >= 92 && y <= 104 && ((x >= 60 && x <= 84) || (x >= 122 && x <= 151));
}

// The first pixel where the pictures differ, leaving out the heat rectangles when `heat`; none
// gives (-1, -1).
std::pair<int, int> FirstDifference(const OffscreenBitmap& a, const OffscreenBitmap& b, bool heat) {
  for (int y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), std::size_t(a.Width()) * 3) == 0) continue;
    for (int x = 0; x < a.Width(); ++x) {
      if (!(a.Pixel(x, y) == b.Pixel(x, y)) && !(heat && InHeat(x, y))) return {x, y};
    }
  }
  return {-1, -1};
}

TEST(BundledStory, EveryPageLooksTheSameWhetherItsTextIsKeptOrDrawnAgain) {
  for (const bool answer_traps : {false, true}) {
    SCOPED_TRACE(answer_traps ? "traps answered" : "traps passed");
    fakes::SilentServices outside;
    MyWave wave(outside);
    fakes::FolderFileSystem files(GAME_SOURCE_DIR);
    MyScript script(files, outside, outside);
    UnitStory story(script, outside, outside, outside);
    Random random(7);
    fakes::FakePaintTarget screen;
    UnitBmp bmp(random, story, screen, files);
    bmp.InitGraphics();
    story.LoadStory();
    OffscreenBitmap kept;
    int pages = 0;
    for (; !outside.Terminated() && pages < 500; ++pages) {
      story.StepStory();
      if (answer_traps && story.TrapArmed()) story.TrapResponse(wave, bmp.PortraitIndex());
      for (int tick = 0; tick < 8; ++tick) {
        bmp.RenderFrame();
        kept.SetSize(bmp.BackBuffer().Width(), bmp.BackBuffer().Height());
        kept.CopyFrom(bmp.BackBuffer());
        CopyWhole(bmp.BackBuffer(), bmp.PortraitFrames()[bmp.PortraitIndex()]);
        bmp.DrawPageLines();
        const auto [x, y] = FirstDifference(kept, bmp.BackBuffer(), story.HeatOn());
        ASSERT_EQ(x, -1) << "page " << pages << ", tick " << tick << ": at " << x << "," << y;
      }
    }
    EXPECT_GE(pages, 10);
    EXPECT_TRUE(outside.Terminated());
  }
}

}  // namespace
}  // namespace game
