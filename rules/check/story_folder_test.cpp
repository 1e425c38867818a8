#include "rules/check/story_folder.h"

#include <gtest/gtest.h>

#include "rules/fakes/fake_check_services.h"

namespace game::check {
namespace {

TEST(StoryFolderFor, TheNamedFolderWhenItHoldsAStoryElseItsDatFolder) {
  struct Case {
    std::string named;
    std::vector<std::string> stories;  // the story files there
    std::string folder;                // the folder that stands where the game reads "dat"
  };
  const Case cases[] = {
      // Both: the story the author points at, not the one inside it.
      {"work", {"work/story.txt", "work/dat/story.txt"}, "work"},
      {"work/", {"work/dat/story.txt"}, "work/dat"},
      {"work", {"work/story.txt"}, "work"},
      {"work", {}, "work"},  // no story anywhere: the checker says the folder has none
      {".", {"./dat/story.txt"}, "dat"},
      {"/", {"/dat/story.txt"}, "/dat"},
  };
  for (const Case& c : cases) {
    fakes::FakeFileSystem files;
    fakes::FakeCheckServices services(files);
    for (const std::string& story : c.stories) files.files[story] = "A\n";
    EXPECT_EQ(StoryFolderFor(services, c.named), c.folder) << c.named;
  }
}

TEST(StoryFolder, ReadsTheGamePathsUnderTheFolder) {
  fakes::FakeFileSystem files;
  const StoryFolder folder(files, "stories/one//");
  EXPECT_EQ(folder.RealPath("dat/story.txt"), "stories/one/story.txt");
  EXPECT_EQ(folder.RealPath("dat/a5.bmp"), "stories/one/a5.bmp");
  EXPECT_EQ(folder.RealPath("other/story.txt"), "other/story.txt");
  EXPECT_EQ(StoryFolder(files, "/").RealPath("dat/up.wav"), "/up.wav");
}

}  // namespace
}  // namespace game::check
