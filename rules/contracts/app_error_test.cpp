#include "rules/contracts/app_error.h"

#include <gtest/gtest.h>

#include "tests/support/error_text.h"

namespace game {
namespace {

TEST(ReportText, AppendsAFullStopOnlyWhenTheLastCharacterSortsAboveIt) {
  const struct {
    std::string message, shown;
  } cases[] = {
      {"範囲チェックエラー", "範囲チェックエラー."},
      {"I/O エラー (5)", "I/O エラー (5)"},  // ')' sorts below '.'
      {"Done.", "Done."},
      {"abc", "abc."},
      {"x-", "x-"},
      {"x/", "x/."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReportText(c.message), c.shown) << c.message;
}

TEST(RangeError, CarriesTheJapaneseText) {
  EXPECT_EQ(testing::ErrorText([] { ThrowRangeError(); }), "範囲チェックエラー");
}

}  // namespace
}  // namespace game
