// The real game with --low-power in a real X server: the loop rests between passes, yet the
// picture keeps its 51 ms period and the buttons and the story's end behave as without it.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QThread>
#include <algorithm>

#include "tests/support/game_folder.h"
#include "tests/support/painting_log.h"
#include "tests/support/screen_checks.h"
#include "tests/support/x_session.h"

namespace game::testing {
namespace {

const QRect kHeat(60, 92, 92, 13);  // both heat patches, x 60 to 151, y 92 to 104

// The heat patches' pixels as they show on the shot.
QImage HeatPatches(const QImage& shot, const QRect& client) {
  return shot.copy(kHeat.translated(client.topLeft()));
}

TEST(LowPowerEndToEnd, HeatStrokesChangeEvery51MsAndPressesAndTheEndBehaveAsWithoutIt) {
  XSession x;
  if (!x.Ready()) GTEST_SKIP() << "no X server (Xvfb) could be started";
  GameFolder folder;
  ASSERT_TRUE(folder.Valid());
  folder.WriteFrames(QColor(200, 220, 240));
  folder.WriteStory("#heatOn\nthe first page\n\n#heatOff\nthe second page\n");
  const QString log = folder.Path() + "/painting.log";
  GameProcess game(x, folder.Path(), PaintingLogEnvironment(), {}, log, {"--low-power"});
  ASSERT_FALSE(game.WaitForWindow().isEmpty());
  const QRect client = game.ClientRect();

  game.Click(452, 244);  // Next: the first page, with heat
  QImage shot = game.WaitForScreen([&](const QImage& s) {
    return DarkPixels(s, client, TextRow(0)) > 20 && PinkPixels(s, client, kHeat) > 0;
  });
  ASSERT_GT(PinkPixels(shot, client, kHeat), 0);
  // The strokes are drawn anew on every tick: shots a little apart show other strokes.
  const QImage before = HeatPatches(shot, client);
  bool changed = false;
  for (int shots = 0; shots < 20 && !changed; ++shots) {
    QThread::msleep(60);
    changed = HeatPatches(x.Screenshot(), client) != before;
  }
  EXPECT_TRUE(changed) << "the heat strokes stood still";

  // The ticks of the last two seconds come every 51 ms, as when the loop spins (a block copy may
  // come a few milliseconds late or early after its tick when the drawing before it took longer).
  QThread::msleep(2500);
  std::vector<double> periods = LastPeriodsMs(TickTimes(log), 2.0);
  ASSERT_GE(periods.size(), 25u) << "too few ticks: the loop waited past the slot's time";
  std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
  const double median = periods[periods.size() / 2];
  EXPECT_GE(median, 50.0);
  EXPECT_LE(median, 80.0);

  game.Click(452, 244);  // the second page: no heat, one line
  shot = game.WaitForScreen([&](const QImage& s) { return PinkPixels(s, client, kHeat) == 0; });
  EXPECT_EQ(PinkPixels(shot, client, kHeat), 0);
  EXPECT_GT(DarkPixels(shot, client, TextRow(0)), 20);
  EXPECT_FALSE(game.WaitForExit(300).has_value());
  game.Click(452, 244);  // the story has run out: the end
  EXPECT_EQ(game.WaitForExit(3000), std::optional<int>(0));
}

}  // namespace
}  // namespace game::testing
