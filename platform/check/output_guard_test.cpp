#include "platform/check/output_guard.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/temp_dir.h"

namespace game::check {
namespace {

// Where the checker's map (a file) and storyboard (a folder) may go, beside a story folder
// "game/dat": never into the story folder or over a folder holding it, over the checker's own
// output, and over anything else only with --overwrite.
TEST(OutputGuard, TheStoryAndWhatTheCheckerDidNotWriteAreRefused) {
  testing::TempDir dir;
  dir.Write("game/dat/story.txt", "story");
  dir.Write("site/index.html", "a site");
  dir.Write("notes.txt", "notes");
  const std::string story = dir / "game/dat";
  const struct {
    std::string path;
    bool folder, own, overwrite;
    std::string problem;  // how the refusal ends, or "" for none
  } cases[] = {
      {"game/dat/story.txt", false, false, true, "story_check never writes there"},
      {"game/dat/map.dot", false, false, true, "story_check never writes there"},
      {"game/dat", true, true, true, "story_check never writes there"},
      {"game", true, true, true, "story_check never writes there"},
      {".", true, true, true, "story_check never writes there"},
      {"game/dat/../dat/a0.bmp", false, false, true, "story_check never writes there"},
      {"site", true, false, false, "did not write it: give --overwrite to replace it"},
      {"notes.txt", false, false, false, "did not write it: give --overwrite to replace it"},
      {"notes.txt", true, false, true, "notes.txt is not a folder"},
      {"site", false, false, true, "site is a folder"},
      {"site", true, false, true, ""},
      {"notes.txt", false, true, false, ""},
      {"game/map.dot", false, false, false, ""},
      {"new/board", true, false, false, ""},
  };
  for (const auto& c : cases) {
    const std::string path = c.path == "." ? dir.Path().string() : dir / c.path;
    const auto problem = OutputProblem(
        {.path = path, .story_folder = story, .overwrite = c.overwrite}, c.folder, c.own);
    EXPECT_EQ(problem ? problem->en.substr(problem->en.size() -
                                           std::min(problem->en.size(), c.problem.size()))
                      : "",
              c.problem)
        << c.path;
  }
}

TEST(OutputGuard, SavesBesideAndRenamesOver) {
  testing::TempDir dir;
  const std::string path = dir.Write("map.dot", "old");
  EXPECT_FALSE(SaveBeside(path, "new"));
  EXPECT_EQ(testing::FileBytes(path), "new");
  EXPECT_TRUE(HoldsMark(path, "ew"));
  EXPECT_FALSE(HoldsMark(path, "old"));
  const auto failed = SaveBeside(dir / "missing/map.dot", "x");
  ASSERT_TRUE(failed);
  EXPECT_TRUE(failed->en.starts_with("cannot write " + (dir / "missing/map.dot"))) << failed->en;
}

}  // namespace
}  // namespace game::check
