// Replays the seed corpus of the story fuzz target (fuzz/story_fuzz.cpp): each seed is played to
// its end or 31 presses; a broken promise aborts with its reason.
#include <gtest/gtest.h>

#include "corpus.h"

extern "C" int story_fuzz_entry(const std::uint8_t* data, std::size_t size);

namespace game {
namespace {

TEST(StoryFuzzReplay, PlaysEverySeedOfTheCorpus) {
  const auto seeds = testing::ReadCorpus("story_fuzz");
  for (const auto& seed : seeds) {
    EXPECT_EQ(story_fuzz_entry(seed.data(), seed.bytes.size()), 0) << seed.path;
  }
  EXPECT_GE(seeds.size(), 5u);
}

}  // namespace
}  // namespace game
