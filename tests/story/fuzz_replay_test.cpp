// Replays the seed corpus of every fuzz target (fuzz/NAME.cpp, seeds in fuzz/corpus/NAME/) through
// the target's own checks; a broken promise aborts with its reason on the error output.
#include <gtest/gtest.h>

#include "tests/support/corpus.h"

extern "C" int bmp_fuzz_entry(const std::uint8_t* data, std::size_t size);
extern "C" int script_fuzz_entry(const std::uint8_t* data, std::size_t size);
extern "C" int story_fuzz_entry(const std::uint8_t* data, std::size_t size);

namespace game::testing {
namespace {

TEST(FuzzReplay, EverySeedOfEveryCorpusPassesItsTargetsChecks) {
  const struct {
    const char* name;
    int (*entry)(const std::uint8_t*, std::size_t);
    std::size_t least_seeds;
  } targets[] = {{"bmp_fuzz", bmp_fuzz_entry, 20},
                 {"script_fuzz", script_fuzz_entry, 10},
                 {"story_fuzz", story_fuzz_entry, 5}};
  for (const auto& target : targets) {
    const auto seeds = ReadCorpus(target.name);
    for (const auto& seed : seeds) {
      EXPECT_EQ(target.entry(seed.data(), seed.bytes.size()), 0) << seed.path;
    }
    EXPECT_GE(seeds.size(), target.least_seeds) << target.name;
  }
}

}  // namespace
}  // namespace game::testing
