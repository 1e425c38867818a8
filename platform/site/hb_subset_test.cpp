#include "platform/site/hb_subset.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "rules/contracts/app_error.h"

namespace game {
namespace {

namespace fs = std::filesystem;

const fs::path kIpaPGothic = "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf";

TEST(HbSubset, CutsTheFaceDownToTheGivenCharacters) {
  if (!fs::exists(kIpaPGothic) || std::system("command -v hb-subset >/dev/null") != 0) {
    GTEST_SKIP() << "IPA P Gothic or hb-subset missing";
  }
  const std::string few = HbSubset(kIpaPGothic, "あア");
  const std::string more = HbSubset(kIpaPGothic, "あアいイうウえエおオ漢字");
  EXPECT_GT(few.size(), 1000u);
  EXPECT_LT(few.size(), more.size());
  EXPECT_LT(more.size(), fs::file_size(kIpaPGothic) / 20);
  EXPECT_THROW(HbSubset("/nonexistent.ttf", "a"), AppError);
}

}  // namespace
}  // namespace game
