#include "rules/script/my_script.h"

#include <gtest/gtest.h>

#include "rules/text/my_crypt.h"
#include "tests/support/error_text.h"
#include "tests/support/script_bytes.h"
#include "tests/support/story_bench.h"

namespace game {
namespace {

using namespace std::string_literals;
using Entries = std::vector<std::string>;
using testing::ErrorText;
using testing::Repeat;
using testing::RepeatedLines;
using testing::ScriptBytes;

const std::string kRangeError = "範囲チェックエラー";

Entries TableOf(const MyScript& script) {
  Entries entries;
  for (int i = 0; i < script.ScriptCount(); ++i) entries.push_back(script.ScriptLine(i));
  return entries;
}

Entries WithEnd(Entries entries) {
  entries.push_back("#End");
  return entries;
}

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += "w" + std::to_string(i) + " ";
  return text;
}

class MyScriptStore : public ::testing::Test, public testing::StoryBench {
 protected:
  Entries Load(std::string_view bytes, bool scrambled = false) {
    script.LoadFromBytes(bytes, scrambled);
    return TableOf(script);
  }

  void Advance(int lines) {
    for (int i = 0; i < lines; ++i) script.NextScriptLine();
  }
};

TEST_F(MyScriptStore, CutsLinesAtLfAndCrLfAndEndsAtCtrlZ) {
  const struct {
    std::string bytes;
    Entries lines;
  } cases[] = {
      {"a\nb", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\rb\r", {"ab"}},
      {"a\r\r\nb", {"a", "b"}},
      {"", {}},
      {"\n", {""}},
      {"\r", {""}},
      {"a\n\n", {"a", ""}},
      {"a\n\x1a"
       "b\n",
       {"a"}},
      {"\x1a", {}},
      {"a\x1a"
       "b\nc\x1a",
       {"a\x1a"
        "b",
        "c\x1a"}},
      {"a\n\r\x1a\n", {"a", "\x1a"}},
      {"a\0b\n"s, {"a\0b"s}},
      {"\xef\xbb\xbf@a\n", {"\xef\xbb\xbf@a"}},  // a byte-order mark is text
  };
  for (const auto& c : cases) EXPECT_EQ(Load(c.bytes), WithEnd(c.lines)) << c.bytes;
}

TEST_F(MyScriptStore, CutsCommentsAndReducesLabelsToTheirFirstWord) {
  const struct {
    std::string line, stored;
  } cases[] = {
      {"  @start   // first scene", "@start"},
      {"abc // def", "abc "},
      {"// note", ""},
      {"A//B//C", "A"},
      {"#goto @a // jump", "#goto @a "},
      {"\x81\x40\x81\x40\x81\x40", "\x81\x40\x81\x40\x81\x40"},  // blanks only: a text line
      {"   @x", "@x"},
      {"@x y z", "@x"},
      {"\t\x81\x40@x\x81\x40y", "@x"},
      {"@\x82\xa0 text", "@\x82\xa0"},
      {"@a//x", "@a"},
      {"\x81\x97x y", "\x81\x97x y"},  // full-width at sign
      {"\x82@x y", "\x82@x y"},        // '@' as second byte
      {"\x95\x5c//x", "\x95\x5c"},     // trail byte 0x5C
      {"\xb1\xb2//x", "\xb1\xb2"},     // half-width katakana
      {"x\x81//y", "x\x81//y"},        // the first '/' is a second byte: no comment
      {"abc\x81 // c", "abc\x81 "},
      {"abc\x81", ""},             // a lead byte at the very end swallows the split's separator
      {"@x\x81 // c", "@x\x81 "},  // ... and then the words' separator: no word, no label
      {"  text with blanks\t ", "  text with blanks\t "},
  };
  for (const auto& c : cases) EXPECT_EQ(Load(c.line + "\n"), WithEnd({c.stored})) << c.line;
}

TEST_F(MyScriptStore, LoadsTheSmallStoryAndUnscramblesBeforeAnythingElse) {
  EXPECT_EQ(Load("@a\nHello\n#goto @a\n"), WithEnd({"@a", "Hello", "#goto @a"}));
  EXPECT_EQ(script.ScriptCount(), 4);

  std::string scrambled;
  for (const char* line : {"  @a  // label", "Hello // greeting", "\x82\xa0\t\x82\xa2"}) {
    scrambled += UnscrambleLine(line) + "\r\n";
  }
  EXPECT_EQ(Load(scrambled, true), WithEnd({"@a", "Hello ", "\x82\xa0\t\x82\xa2"}));
}

TEST(MyScriptWords, NormalizesSeparatorsBeforeSplitting) {
  const struct {
    std::string s;
    Entries words;
  } cases[] = {
      {" a\t\tb\x81\x40\x81\x40"
       "c  ",
       {"a", "b", "c"}},
      {"", {""}},
      {"\x81\x81\x40x", {"\x81\x81\x40x"}},  // no full-width space here
      {"\x82 a", {"\x82 a"}},                // the space is the second byte
      {"\x82   a", {"\x82 ", "a"}},
      {"\x82\t\ta", {"\x82\t", "a"}},
      {"a\x81", {}},  // the lead byte swallows the separator: no word at all
      {"\x1a x \x7f", {"x", "\x7f"}},
  };
  for (const auto& c : cases) {
    WordArray words(16, "old");
    NormalizeWords(c.s, words, 15);
    Entries expected = c.words;
    expected.resize(16);
    EXPECT_EQ(words, expected) << c.s;
  }
}

TEST(MyScriptWords, TellsLabelsByteByByte) {
  const struct {
    std::string s;
    int i;
    bool label;
  } cases[] = {
      {"@a", 1, true},         {"", 1, false},      {"   @x", 1, false},    {"   @x", 4, true},
      {"\x81\x97x", 1, false}, {"\x81@", 2, false}, {"\x81\x81@", 3, true}, {"a@", 3, false},
      {"@", 0, false},         {"\xb1@", 2, true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsLabelAt(c.s, c.i), c.label) << c.s << " " << c.i;
}

TEST(MyScriptWords, MatchesCommandsFoldingOnlyAsciiLetters) {
  const struct {
    std::string line, keyword;
    bool match;
    std::string argument;
  } cases[] = {
      {"#END", "#end", true, ""},
      {"#End", "#end", true, ""},
      {"  #heaton\t x", "#heatOn", true, "x"},
      {"#goto\x81\x40@a // x", "#goto", true, "@a"},
      {"#end2", "#end", false, ""},
      {"#en", "#end", false, ""},
      {"\x81\x94"
       "end",
       "#end", false, ""},                            // full-width number sign
      {"#\xc9ND", "#\xe9nd", false, ""},              // bytes above ASCII never fold
      {"#goto\x82\x60", "#goto\x82\x81", false, ""},  // nor do full-width letters
      {"#\x83\x41", "#\x83\x61", false, ""},          // second bytes that look like 'A' and 'a'
      {"#\x83\x41Z", "#\x83\x41z", true, ""},
  };
  for (const auto& c : cases) {
    WordArray words(11);
    EXPECT_EQ(MatchCommand(c.line, c.keyword, words, 10), c.match) << c.line;
    EXPECT_EQ(words[1], c.argument) << c.line;
  }
  WordArray words(11);
  EXPECT_EQ(ErrorText([&] { MatchCommand("#goto " + Words(11), "#goto", words, 10); }),
            kRangeError);
  EXPECT_FALSE(MatchCommand(Words(11), "#goto", words, 10));
}

TEST_F(MyScriptStore, HandsOutLinesThenTheEndMarkerForEver) {
  EXPECT_EQ(script.NextScriptLine(), "#End");  // nothing loaded yet
  EXPECT_EQ(script.ScriptCount(), 0);
  Load("A\n\nB");
  for (const char* expected : {"A", "", "B", "#End", "#End", "#End"}) {
    EXPECT_EQ(script.NextScriptLine(), expected);
  }
  EXPECT_EQ(script.ScriptCursor(), 4);
  EXPECT_EQ(ErrorText([&] { script.ScriptLine(4); }), kRangeError);
}

TEST_F(MyScriptStore, JumpsAfterTheCursorFirstThenFromTheTop) {
  const struct {
    Entries lines;
    int cursor, after;
  } cases[] = {
      {{"x", "x", "@t", "x", "x", "x", "x", "x", "x", "@t"}, 5, 9},
      {{"x", "x", "@t", "x", "x", "@t", "x"}, 5, 2},
      {{"x", "x", "x", "x", "x", "@t", "x"}, 5, 5},  // the entry at the cursor is not examined
      {{"x", "x", "x", "x", "x", "x", "@t"}, 5, 6},
      {{"x", "x", "x", "x", "x", "x", "x"}, 5, 5},
      {{"@t", "x"}, 3, 0},                 // from past the end marker
      {{"@T", "x @t", "#goto @t"}, 0, 0},  // whole entries, byte for byte
  };
  for (const auto& c : cases) {
    const std::string bytes = ScriptBytes(c.lines);
    Load(bytes);
    Advance(c.cursor);
    script.JumpToLabel("@t");
    EXPECT_EQ(script.ScriptCursor(), c.after) << bytes;
  }
}

TEST_F(MyScriptStore, JumpsToAnyEqualEntryAndStaysInAnEmptyTable) {
  script.JumpToLabel("@t");
  EXPECT_EQ(script.ScriptCursor(), 0);
  Load("#goto @t\n@t\nafter");
  script.JumpToLabel("#End");
  EXPECT_EQ(script.ScriptCursor(), 3);
  script.JumpToLabel("@t");
  EXPECT_EQ(script.NextScriptLine(), "@t");
  EXPECT_EQ(script.NextScriptLine(), "after");
}

TEST_F(MyScriptStore, StopsWithTheRangeErrorAtItsLimits) {
  const struct {
    std::string bytes;
    bool fits;
  } cases[] = {
      {RepeatedLines(9999, "x"), true},
      {RepeatedLines(9999, "x") + "\x1a" + RepeatedLines(5, "x"), true},
      {RepeatedLines(10000, "x"), false},
      {RepeatedLines(10001, "x"), false},
      {"a" + Repeat("//", 15) + "\n", true},
      {"a" + Repeat("//", 16) + "\n", false},
      {Words(16) + "\n", true},
      {Words(17) + "\n", false},
      {Words(16) + "// " + Words(30) + "\n", true},
      {"\t" + Words(16) + "\x81\x40\n", true},
      {"@" + Words(17) + "\n", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorText([&] { Load(c.bytes); }),
              c.fits ? std::nullopt : std::make_optional(kRangeError))
        << c.bytes.substr(0, 80);
  }
  Load(RepeatedLines(9999, "x"));
  EXPECT_EQ(script.ScriptCount(), 10000);
  EXPECT_EQ(script.ScriptLine(9999), "#End");
}

TEST_F(MyScriptStore, FailedLoadLeavesTableCountAndCursorAsTheyWere) {
  Load("A\nB\nC\n");
  Advance(2);
  for (const std::string& bad :
       {RepeatedLines(10000, "y"), RepeatedLines(500, "y") + Words(17), "y" + Repeat("//", 16)}) {
    EXPECT_EQ(ErrorText([&] { script.LoadFromBytes(bad, false); }), kRangeError);
    EXPECT_EQ(TableOf(script), WithEnd({"A", "B", "C"}));
    EXPECT_EQ(script.ScriptCursor(), 2);
  }
}

TEST_F(MyScriptStore, ReadsAFileAsItsBytesAcrossReadChunks) {
  // The reads take 64 KiB at a time: a CR LF, a Ctrl-Z inside a line and a Ctrl-Z where a line
  // begins fall on their boundaries.
  const std::string a(65535, 'a'), b = std::string(65535, 'b') + "\x1a" + "b", c(65532, 'c');
  const std::string bytes = a + "\r\n" + b + "\n" + c + "\n\x1a" + "after the end\n";
  ASSERT_EQ(bytes.substr(65535, 2), "\r\n");
  ASSERT_EQ(bytes[2 * 65536], '\x1a');
  ASSERT_EQ(bytes.substr(3 * 65536 - 1, 2), "\n\x1a");
  ASSERT_TRUE(script.LoadScript(Write(bytes), false));
  EXPECT_EQ(TableOf(script), WithEnd({a, b, c}));

  const std::string story = "@a\r\n  text // c\r\n\r\n#goto @a";
  ASSERT_TRUE(script.LoadScript(Write(UnscrambleLine(story)), true));
  EXPECT_EQ(TableOf(script), Load(story));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(termination.requests, 0);
}

TEST_F(MyScriptStore, MissingFileShowsTheMessageAndRequestsTermination) {
  Load("A\nB\n");
  Advance(1);
  files.open_errors = {{"plain.txt/story.txt", ENOTDIR}};
  files.not_regular = {"folder", "fifo"};  // a folder, a named pipe, a device...
  for (const std::string& path :
       {"story.txt"s, "plain.txt/story.txt"s, "dat/none/story.txt"s, "folder"s, "fifo"s}) {
    boxes.shown.clear();
    EXPECT_FALSE(script.LoadScript(path, false));
    EXPECT_EQ(boxes.shown, (std::vector<fakes::ShownMessage>{
                               {"MyScript", "『" + path + "』が見つかりません。終了します。"}}));
    EXPECT_EQ(TableOf(script), WithEnd({"A", "B"}));
    EXPECT_EQ(script.ScriptCursor(), 1);
  }
  EXPECT_EQ(termination.requests, 5);
}

TEST_F(MyScriptStore, UnreadableFileRaisesTheInputOutputError) {
  Load("A\nB\n");
  Advance(1);
  files.open_errors = {{"locked.txt", EACCES}, {"name\0.txt"s, EINVAL}};
  files.read_errors = {{"broken.txt", EIO}};
  files.claimed_sizes = {
      {Write("x", "huge.txt"), MyScript::kMaxFileBytes + 1}};  // refused before reading
  const struct {
    std::string path, error;
  } cases[] = {
      {"locked.txt", "ファイルへのアクセスが拒否されました"},
      {"name\0.txt"s, "不正なファイル名です"},
      {"broken.txt", "I/O エラー (1117)"},  // opened, then the first read fails
      {"huge.txt", kRangeError},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorText([&] { script.LoadScript(c.path, false); }), c.error) << c.path;
    EXPECT_EQ(TableOf(script), WithEnd({"A", "B"}));
    EXPECT_EQ(script.ScriptCursor(), 1);
  }
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(termination.requests, 0);
}

TEST_F(MyScriptStore, ACursorPutByAToolAndTheReadsItSees) {
  Load("@a\nA\n#goto @a\n");
  std::vector<int> reads;
  script.SetReadObserver([&](int index) { reads.push_back(index); });
  script.SetScriptCursor(2);
  EXPECT_EQ(script.NextScriptLine(), "#goto @a");
  script.JumpToLabel("@a");
  script.NextScriptLine();
  script.SetScriptCursor(4);
  EXPECT_EQ(script.NextScriptLine(), "#End");  // past the end: no entry read
  EXPECT_EQ(reads, (std::vector<int>{2, 0}));
  EXPECT_EQ(ErrorText([&] { script.SetScriptCursor(5); }), kRangeError);
  EXPECT_EQ(ErrorText([&] { script.SetScriptCursor(-1); }), kRangeError);
  EXPECT_EQ(script.ScriptCursor(), 4);
}

}  // namespace
}  // namespace game
