// What the checker says the player gets from a broken story folder, held against the game's own
// start-up run on the same folder: the last three steps of the window's creation (the frames, the
// special-move button's caption, the story) through the per-message error report, then what the
// window shows and what the first press of ＞次へ does.
#include <gtest/gtest.h>

#include "platform/graphics/fake_paint_target.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/qt/sjis_decoder.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/check/story_check.h"
#include "rules/contracts/error_report.h"
#include "rules/fakes/fake_check_services.h"
#include "rules/fakes/fakes.h"
#include "rules/story/special_move.h"
#include "tests/support/story_bench.h"

namespace game::testing {
namespace {

using fakes::FakeCheckServices;
using fakes::FakeErrorDialog;

constexpr Rgb kSky{200, 230, 255};

// A story folder in memory, the checker's report on it, and the game started on it.
class BrokenFolder : public ::testing::Test, public StoryBench {
 protected:
  BrokenFolder() {
    const DecodedBitmap frame{500, 300, std::vector<std::uint8_t>(500 * 300 * 3, 0)};
    DecodedBitmap sky = frame;
    for (std::size_t i = 0; i < sky.rgb.size(); i += 3) {
      sky.rgb[i] = kSky.red, sky.rgb[i + 1] = kSky.green, sky.rgb[i + 2] = kSky.blue;
    }
    const std::vector<std::uint8_t> bytes = EncodeBmp(sky, BmpEncoding::kRgb24);
    for (int i = 0; i < 6; ++i)
      files.files[story_files::FramePath(i)] = {bytes.begin(), bytes.end()};
    files.files["dat/up.wav"] = files.files["dat/suka.wav"] = "RIFF....WAVE";
  }

  std::string CheckerSays() {
    FakeCheckServices services(files);
    check::PictureLayout layout{.width = 500, .height = 300, .text_x = 230};
    for (int i = 0; i < 6; ++i) layout.frame_paths.push_back(story_files::FramePath(i));
    check::StoryCheck check(files, services, decoder, "dat", layout);
    return check::FormatReport(check.Run(), check::Language::kEnglish);
  }

  // The window's start-up from the frames on, in its order; false when an error stopped it.
  bool StartGame() {
    return RunReported(dialog, [this] {
      bmp.InitGraphics();
      caption = SjisDecoder().Decode(special.Caption()).toStdString();
      story.LoadStory();
    });
  }

  FakeErrorDialog dialog;
  Random random{1};
  fakes::FakePaintTarget screen{/*keep_last=*/true};
  UnitBmp bmp{random, story, screen, files};
  SpecialMove special;
  std::string caption = "BtnLX";  // the button's caption until the start-up replaces it
};

TEST_F(BrokenFolder, AMissingFrameStopsTheStartUpAsTheCheckerSays) {
  Write("A\n");
  files.files.erase("dat/a0.bmp");
  const std::string said = CheckerSays();
  for (const char* claim :
       {"stops its start-up there", "no story", "the picture is blank white",
        "the special-move button reads \"BtnLX\"", "the first press of ＞次へ ends the game",
        "walk: none for now: the game's start-up stops at dat/a0.bmp"}) {
    EXPECT_NE(said.find(claim), std::string::npos) << claim << "\n" << said;
  }

  EXPECT_FALSE(StartGame());
  EXPECT_EQ(dialog.shown, std::vector<std::string>{"ファイル dat/a0.bmp は開けません."});
  EXPECT_EQ(caption, "BtnLX");
  EXPECT_EQ(script.ScriptCount(), 0);  // no story
  for (int tick = 0; tick < 50; ++tick) {
    bmp.RenderFrame();
    EXPECT_EQ(screen.last.Pixel(5, 5), UnitBmp::kBlankColour) << tick;
  }
  story.StepStory();
  EXPECT_TRUE(termination.Terminated());
}

TEST_F(BrokenFolder, AStoryWithoutAPageIsAnErrorAndTheFirstPressEndsTheGame) {
  Write("// only a comment\n@start\n\n");
  const std::string said = CheckerSays();
  EXPECT_NE(said.find("error: the story shows no page"), std::string::npos) << said;
  EXPECT_NE(said.find("\n1 error, 0 warnings\n"), std::string::npos) << said;

  ASSERT_TRUE(StartGame());
  EXPECT_EQ(caption, "★７");
  bmp.RenderFrame();
  EXPECT_EQ(screen.last.Pixel(5, 5), kSky);  // the portrait alone
  story.StepStory();
  EXPECT_EQ(story.PageLineCount(), 0);
  EXPECT_TRUE(termination.Terminated());
}

}  // namespace
}  // namespace game::testing
