#include "rules/story/story_files.h"

#include <gtest/gtest.h>

namespace game::story_files {
namespace {

TEST(StoryFiles, TheGameReadsNineFilesInItsFolder) {
  EXPECT_EQ(FilePaths(), (std::vector<std::string>{"dat/story.txt", "dat/a0.bmp", "dat/a1.bmp",
                                                   "dat/a2.bmp", "dat/a3.bmp", "dat/a4.bmp",
                                                   "dat/a5.bmp", "dat/up.wav", "dat/suka.wav"}));
  EXPECT_EQ(FramePath(5), "dat/a5.bmp");
  EXPECT_EQ(NameInFolder("dat/up.wav"), "up.wav");
  EXPECT_EQ(NameInFolder("data/up.wav"), "data/up.wav");
  EXPECT_EQ(NameInFolder("dat"), "dat");
}

TEST(StoryFiles, TheFolderItselfWinsOverItsDatFolder) {
  struct Case {
    bool folder_has_story;
    bool dat_has_story;
    StoryPlace place;
  };
  const Case cases[] = {
      {true, true, StoryPlace::kFolderItself},  // both: the folder the author named
      {true, false, StoryPlace::kFolderItself},
      {false, true, StoryPlace::kDatFolder},  // the folder the game starts in
      {false, false, StoryPlace::kFolderItself},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceOfStory(c.folder_has_story, c.dat_has_story), c.place)
        << c.folder_has_story << c.dat_has_story;
  }
}

}  // namespace
}  // namespace game::story_files
