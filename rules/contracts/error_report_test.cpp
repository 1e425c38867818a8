#include "rules/contracts/error_report.h"

#include <gtest/gtest.h>

#include "rules/contracts/app_error.h"
#include "rules/fakes/fakes.h"

namespace game {
namespace {

TEST(RunReported, ShowsTheErrorThatAbandonsTheBodyAndStopsTheBodyThere) {
  fakes::FakeErrorDialog dialog;
  int reached = 0;
  EXPECT_FALSE(RunReported(dialog, [&] {
    ++reached;
    ThrowRangeError();
    ++reached;
  }));
  EXPECT_EQ(reached, 1);
  EXPECT_EQ(dialog.shown, std::vector<std::string>{"範囲チェックエラー."});

  EXPECT_FALSE(RunReported(dialog, [] { throw AppError("I/O エラー (5)"); }));
  EXPECT_EQ(dialog.shown.back(), "I/O エラー (5)");
}

TEST(RunReported, StaysSilentWhenTheBodyFinishes) {
  fakes::FakeErrorDialog dialog;
  bool ran = false;
  EXPECT_TRUE(RunReported(dialog, [&] { ran = true; }));
  EXPECT_TRUE(ran);
  EXPECT_TRUE(dialog.shown.empty());
}

}  // namespace
}  // namespace game
