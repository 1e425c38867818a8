// Replays the BMP reader's fuzz corpus (fuzz/corpus/bmp_fuzz/) through the fuzz target's checks;
// a failing input aborts the test binary with the target's message.
#include <gtest/gtest.h>

#include "corpus.h"

extern "C" int bmp_fuzz_entry(const std::uint8_t* data, std::size_t size);

namespace game {
namespace {

TEST(BmpFuzzReplay, EveryCorpusInputPassesTheTargetsChecks) {
  const auto seeds = testing::ReadCorpus("bmp_fuzz");
  for (const auto& seed : seeds) {
    EXPECT_EQ(bmp_fuzz_entry(seed.data(), seed.bytes.size()), 0) << seed.path;
  }
  EXPECT_GE(seeds.size(), 20u);
}

}  // namespace
}  // namespace game
