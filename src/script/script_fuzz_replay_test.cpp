// Replays the seed corpus of the script fuzz target (fuzz/script_fuzz.cpp); a broken promise
// aborts with its reason on the error output.
#include <gtest/gtest.h>

#include "corpus.h"

extern "C" int script_fuzz_entry(const std::uint8_t* data, std::size_t size);

namespace game {
namespace {

TEST(MyScriptFuzzReplay, RunsEverySeedOfTheCorpus) {
  const auto seeds = testing::ReadCorpus("script_fuzz");
  for (const auto& seed : seeds) {
    EXPECT_EQ(script_fuzz_entry(seed.data(), seed.bytes.size()), 0) << seed.path;
  }
  EXPECT_GE(seeds.size(), 10u);
}

}  // namespace
}  // namespace game
