#include "rules/contracts/app_error.h"

#include <gtest/gtest.h>

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
  try {
    ThrowRangeError();
    FAIL() << "no error";
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "範囲チェックエラー");
  }
}

}  // namespace
}  // namespace game
