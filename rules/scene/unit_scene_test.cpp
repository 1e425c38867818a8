#include "rules/scene/unit_scene.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/blush_colour.h"
#include "tests/support/story_bench.h"

namespace game {
namespace {

class UnitSceneTest : public ::testing::Test, public testing::StoryBench {
 protected:
  Random random_{2024};
  UnitScene scene_{random_, story};
};

TEST_F(UnitSceneTest, AFrameIsShownOnlyWhenLoadedAndOtherwiseTheSceneIsBlank) {
  scene_.SetFrameLoaded(0, 500, 300);
  scene_.SetFrameLoaded(1, 200, 100);  // smaller than the picture
  scene_.SetFrameLoaded(2, 0, 0);      // a zero-byte file: loaded, copies nothing
  scene_.SetFrameLoaded(6, 500, 300);  // no such frame
  const struct {
    std::int32_t portrait;
    bool blank, covers;
  } cases[] = {{0, false, true}, {1, false, false}, {2, false, false},
               {3, true, false}, {6, true, false},  {-1, true, false}};
  for (const auto& c : cases) {
    scene_.SetPortrait(c.portrait);
    random_.SetSeed(7);  // Random(5) is not 0: the portrait stays
    ASSERT_NE(Random(7)(5), 0);
    const Scene& scene = scene_.RenderTick();
    EXPECT_EQ(scene.frame, c.portrait);
    EXPECT_EQ(scene.blank, c.blank) << c.portrait;
    EXPECT_EQ(scene_.FrameCoversPicture(c.portrait), c.covers) << c.portrait;
  }
  scene_.ForgetFrames();
  scene_.SetPortrait(0);
  random_.SetSeed(7);
  EXPECT_TRUE(scene_.RenderTick().blank);
}

TEST_F(UnitSceneTest, TheLinesAreTheStorysPageWithoutACopy) {
  ShowFirstPage("First\nSecond\n\nThird\n\n");
  const Scene& first = scene_.RenderTick();
  EXPECT_EQ(first.lines, story.PageLines().data());
  ASSERT_EQ(first.line_count, 2);
  EXPECT_EQ(first.lines[1], "Second");
  const std::uint64_t revision = first.page_revision;
  EXPECT_EQ(scene_.RenderTick().page_revision, revision);
  story.StepStory();
  const Scene& next = scene_.RenderTick();
  EXPECT_NE(next.page_revision, revision);
  ASSERT_EQ(next.line_count, 1);
  EXPECT_EQ(next.lines[0], "Third");
}

// The strokes of each bundle are one pen's path: each starts where the last one ended, and all
// points lie in the bundle's rectangle.
TEST_F(UnitSceneTest, HeatGivesTwoBundlesOfThirtyPinkStrokesEachOnePath) {
  ShowFirstPage("#heatOn\nHot\n\n");
  for (std::uint32_t seed : {1u, 77u, 2024u}) {
    random_.SetSeed(seed);
    const Scene& scene = scene_.RenderTick();
    ASSERT_TRUE(scene.heat);
    ASSERT_EQ(scene.strokes.size(), 60u);
    const struct { int x0, y0, x1, y1; } bundles[] = {{60, 92, 85, 105}, {122, 92, 152, 105}};
    for (int b = 0; b < 2; ++b) {
      const auto& r = bundles[b];
      for (int i = 0; i < 30; ++i) {
        const StrokeSegment& s = scene.strokes[static_cast<std::size_t>(b * 30 + i)];
        EXPECT_TRUE(testing::IsBlushPink(s.colour));
        for (auto [x, y] : {std::pair{s.x0, s.y0}, std::pair{s.x1, s.y1}}) {
          EXPECT_TRUE(x >= r.x0 && x < r.x1 && y >= r.y0 && y < r.y1) << x << "," << y;
        }
        if (i > 0) {
          const StrokeSegment& before = scene.strokes[static_cast<std::size_t>(b * 30 + i - 1)];
          EXPECT_EQ(std::pair(s.x0, s.y0), std::pair(before.x1, before.y1));
        }
      }
    }
  }
}

// Without heat a tick draws only the wander's numbers: one when Random(5) is not 0, two when it is.
TEST_F(UnitSceneTest, WithoutHeatATickDrawsOnlyTheWandersNumbers) {
  ShowFirstPage("Cool\n\n");
  for (std::uint32_t seed = 0; seed < 40; ++seed) {
    Random alone(seed);
    const bool moves = alone(5) == 0;
    if (moves) alone(2);
    random_.SetSeed(seed);
    const Scene& scene = scene_.RenderTick();
    EXPECT_FALSE(scene.heat);
    EXPECT_TRUE(scene.strokes.empty());
    EXPECT_EQ(random_.Seed(), alone.Seed()) << seed;
  }
}

}  // namespace
}  // namespace game
