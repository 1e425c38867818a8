#include "check/story_lines.h"

#include <gtest/gtest.h>

#include "fake_check_services.h"
#include "fakes.h"
#include "script/my_script.h"

namespace game::check {
namespace {

TEST(StoryLines, StoresWhatTheGamesLoaderStores) {
  const std::string inputs[] = {
      "@a  first label\r\nA // note\r\n\r\n\t@b\nlone\rCR\n\x1a"
      "after the end\n",
      "  \x81\x40\x81\x40\n#goto @a // jump\nlast line without end",
      "A\x82\n\xE3\x81\x82\n",
      "",
  };
  for (const std::string& bytes : inputs) {
    testing::FakeFileSystem files;
    testing::FakeMessageBoxes boxes;
    testing::FakeTermination termination;
    files.files["story.txt"] = bytes;
    MyScript script(files, boxes, termination);
    script.LoadFromBytes(bytes, false);
    std::vector<std::string> table;
    for (int i = 0; i + 1 < script.ScriptCount(); ++i) table.push_back(script.ScriptLine(i));

    testing::FakeCheckServices services(files);
    std::vector<Finding> findings;
    const StoryLines lines =
        ReadStoryLines(*files.OpenForReading("story.txt"), "story.txt", services, findings);
    EXPECT_EQ(lines.entries, table) << bytes;
    EXPECT_EQ(lines.line_count, static_cast<int>(table.size())) << bytes;
    EXPECT_FALSE(lines.refused);
  }
}

void SplitAtSpaces(const std::string& prefix) {
  WordArray words;
  NormalizeWords(prefix, words, 2);
}

TEST(StoryLines, FindsTheColumnWhereALimitIsCrossed) {
  EXPECT_EQ(FirstFailingColumn("a b c", SplitAtSpaces), 0);
  EXPECT_EQ(FirstFailingColumn("a b c d", SplitAtSpaces), 7);
  EXPECT_EQ(FirstFailingColumn("a\t\x81\x40  b c d  ", SplitAtSpaces), 11);  // at "d"
  EXPECT_EQ(FirstFailingColumn(std::string(3000, 'a') + " b c d", SplitAtSpaces), 0);
}

}  // namespace
}  // namespace game::check
