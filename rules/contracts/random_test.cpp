#include "rules/contracts/random.h"

#include <gtest/gtest.h>

namespace game {
namespace {

TEST(Random, FollowsTheLinearCongruentialFormula) {
  // Seed 0: the first draw sets the seed to 1, so Random(N) is (1 * N) >> 32 = 0 for any N.
  Random r0(0);
  EXPECT_EQ(r0(100), 0);
  EXPECT_EQ(r0.Seed(), 1u);
  // Second draw: seed 134775813 + 1 = 134775814; 134775814 * 100 >> 32 = 3.
  EXPECT_EQ(r0(100), 3);
  EXPECT_EQ(r0.Seed(), 134775814u);

  // Seed 0xFFFFFFFF: 0xFFFFFFFF * 134775813 + 1 = -134775813 + 1 (mod 2^32) = 4160191484;
  // 4160191484 * 96 >> 32 = 92 (4160191484 / 2^32 = 0.9686...).
  Random r1(0xFFFFFFFFu);
  EXPECT_EQ(r1(96), 92);
  EXPECT_EQ(r1.Seed(), 4160191484u);
}

TEST(Random, StaysInRangeAndCoversIt) {
  Random r(12345);
  int seen[5] = {};
  for (int i = 0; i < 5000; ++i) {
    const int v = r(5);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 5);
    ++seen[v];
  }
  for (int count : seen) EXPECT_GT(count, 800);
  EXPECT_EQ(r(1), 0);
  EXPECT_EQ(r(0), 0);
}

TEST(Random, SeedsFromTheTimeOfDay) {
  Random r;
  r.SeedFromTimeOfDay();
  EXPECT_LT(r.Seed(), 24u * 60 * 60 * 1000);
}

}  // namespace
}  // namespace game
