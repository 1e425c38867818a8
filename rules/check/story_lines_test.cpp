#include "rules/check/story_lines.h"

#include <gtest/gtest.h>

#include "rules/fakes/fake_check_services.h"
#include "tests/support/story_bench.h"

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
    testing::StoryBench bench;
    const std::string path = bench.Write(bytes, "story.txt");
    bench.script.LoadFromBytes(bytes, false);
    std::vector<std::string> table = bench.script.Entries();
    table.pop_back();  // the end marker

    fakes::FakeCheckServices services(bench.files);
    std::vector<Finding> findings;
    const StoryLines lines =
        ReadStoryLines(*bench.files.OpenForReading(path), path, services, findings);
    EXPECT_EQ(lines.entries, table) << bytes;
    EXPECT_EQ(lines.line_count, static_cast<int>(table.size())) << bytes;
    EXPECT_FALSE(lines.refused);
  }
}

// Columns point at the first byte of the word or marker named, on lines of any length; each
// word found is the very word the game's own split stores.
TEST(StoryLines, ColumnsPointAtTheFirstByteOfWhatIsNamed) {
  const std::string long_line = std::string(3000, 'a') + " b c d";
  const struct {
    std::string text;
    int index, column;
  } words[] = {
      {"a b c", 3, 0},
      {"a b c d", 3, 7},
      {"a\t\x81\x40  b c d  ", 3, 11},  // separators of every kind, runs of them
      {"\x81\x40 \x01"
       "a b",
       1, 7},                          // blanks and controls before the first word
      {"a b \x82\xa0\x82\xa2", 2, 5},  // a double-byte word: its lead byte
      {"\x82\x81\x40 x", 1, 5},        // 0x81 0x40 as a second byte is no separator
      {"\x82\x81\x40 x", 0, 1},
      {long_line, 3, 3006},
  };
  for (const auto& c : words) {
    EXPECT_EQ(WordColumn(c.text, c.index), c.column) << c.text.substr(0, 40);
    if (c.column == 0) continue;
    WordArray split;
    NormalizeWords(c.text, split, 15);
    EXPECT_EQ(c.text.substr(std::size_t(c.column) - 1, split[std::size_t(c.index)].size()),
              split[std::size_t(c.index)]);
  }
  EXPECT_EQ(CommentMarkerColumn("a // b // c", 1), 8);
  EXPECT_EQ(CommentMarkerColumn("\x82// b //", 0), 7);  // the lead byte takes the first '/'
  EXPECT_EQ(CommentMarkerColumn("a // b", 1), 0);
}

}  // namespace
}  // namespace game::check
