#include "rules/check/story_check.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "rules/bmp/bmp_writer.h"
#include "rules/fakes/fake_check_services.h"
#include "tests/support/script_bytes.h"
#include "tests/support/story_bench.h"

namespace game::check {
namespace {

using Lines = std::vector<std::string>;
using testing::Repeat;

struct Expected {
  int line;
  int column;
  Severity severity;
  std::string text;  // a part of the English message
  std::string ja{};  // a part of the Japanese message, when given
};

struct Case {
  const char* name;
  Lines story;  // joined with LF; empty: no story file
  std::vector<Expected> findings;
  std::function<void(fakes::FakeFileSystem&, fakes::FakeCheckServices&)> setup = {};
};

std::string Bytes(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

std::string Frame(int width, int height) {
  const DecodedBitmap image{width, height,
                            std::vector<std::uint8_t>(std::size_t(width) * height * 3, 200)};
  return Bytes(EncodeBmp(image, BmpEncoding::kRle8));
}

// A story folder of fakes: six good frames and two good sounds unless a case says otherwise.
class FakeFolder : public testing::StoryBench {
 public:
  FakeFolder() {
    static const std::string frame = Frame(500, 300);
    for (int i = 0; i < 6; ++i) files.files["dat/a" + std::to_string(i) + ".bmp"] = frame;
    files.files["dat/up.wav"] = files.files["dat/suka.wav"] = "RIFF....WAVE";
  }

  CheckReport Run(const Case& c) {
    if (!c.story.empty()) Write(testing::ScriptBytes(c.story));
    if (c.setup) c.setup(files, services);
    PictureLayout layout{.width = 500, .height = 300, .text_x = 230};
    for (int i = 0; i < 6; ++i) layout.frame_paths.push_back("dat/a" + std::to_string(i) + ".bmp");
    StoryCheck check(files, services, decoder, "dat", layout);
    return check.Run();
  }

  void ExpectFindings(const Case& c) {
    SCOPED_TRACE(c.name);
    const CheckReport report = Run(c);
    ASSERT_EQ(report.findings.size(), c.findings.size())
        << FormatReport(report, Language::kEnglish);
    for (std::size_t i = 0; i < c.findings.size(); ++i) {
      const Finding& got = report.findings[i];
      const Expected& want = c.findings[i];
      EXPECT_EQ(got.line, want.line) << got.message.en;
      EXPECT_EQ(got.column, want.column) << got.message.en;
      EXPECT_EQ(got.severity, want.severity) << got.message.en;
      EXPECT_NE(got.message.en.find(want.text), std::string::npos) << got.message.en;
      EXPECT_NE(got.message.ja.find(want.ja), std::string::npos) << got.message.ja;
      EXPECT_FALSE(got.message.ja.empty());
      // Japanese punctuation in the Japanese: 「」 and 。 and ？, never ASCII quotes, ";" or "?".
      EXPECT_EQ(got.message.ja.find_first_of("\";?"), std::string::npos) << got.message.ja;
    }
  }

  fakes::FakeCheckServices services{files};
};

void ExpectEach(const std::vector<Case>& cases) {
  for (const Case& c : cases) FakeFolder().ExpectFindings(c);
}

// Eight traps in a row, each page ending the story unless the special move answers its trap:
// the eighth comes only when the seven uses are spent.
Lines EightTraps() {
  Lines story;
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i);
    story.insert(story.end(), {"P" + n, "#trap @s" + n, "", "#end", "@s" + n});
  }
  story.push_back("Z");
  return story;
}

constexpr Severity E = Severity::kError;
constexpr Severity W = Severity::kWarning;

TEST(StoryCheck, EachFaultTheGameWouldMeetIsAnErrorAtItsLine) {
  ExpectEach({
      {"goto to a misspelt label",
       {"@start", "A", "#goto @strat", "", "@other", "B"},
       {{3, 7, E,
         "there is no label [@strat]: the game ignores this #goto and reads on after it; did you "
         "mean [@start] (line 1)?"}}},
      {"trap to a missing label",
       {"A", "#trap @nowhere", "", "B"},
       {{2, 7, E, "there is no label [@nowhere]: the special move's answer shows"}}},
      {"goto to a word that is no label",
       {"@start", "A", "#goto start"},
       {{3, 7, E, "not a label"}}},
      {"twelve words",
       {"a b c d e f g h i j k l"},
       {{1, 23, E,
         "12 words, but a command or text line holds at most 11: a reader who gets here sees "
         "\"範囲チェックエラー.\""}}},
      {"jump cycle",
       {"A", "", "@a", "#goto @b", "#end", "@b", "#goto @a"},
       {{3, 1, E,
         "jumps go round without showing anything: [@a] → [@b] → [@a]; a reader who gets here "
         "sees \"「[@b]」へのジャンプが堂々巡りになっていて、表示する文がありません。\""},
        {5, 1, W, "no way through the story reads this line"}}},
      {"bytes that are no Shift-JIS",
       {"A\x85\x40"
        "B"},
       {{1, 2, E, "bytes 85 40 are no Shift-JIS"}}},
      {"UTF-8 file",
       {"\xE3\x81\x82"
        "A"},
       {{1, 1, E, "iconv -f UTF-8 -t CP932 dat/story.txt"}}},
      {"byte-order mark", {"\xEF\xBB\xBF@start", "A"}, {{1, 1, E, "UTF-8 byte-order mark"}}},
      {"lines pasted in UTF-8 into a Shift-JIS story",
       {"\x82\xA0", "", "x \xE6\x99\x82\xE9\x96\x93", "", "\xE7\x89\xA9"},
       {{3, 3, E,
         "this line is in UTF-8, but the rest of the file is Shift-JIS (and 1 more line like it): "
         "the game reads Shift-JIS only and shows it as junk",
         "この行は UTF-8 ですが、ファイルのほかの部分は Shift_JIS です"}}},
      {"sixteen comment markers", {"x" + Repeat("//", 16)}, {{1, 32, E, "more than 15 \"//\""}}},
      {"a double-byte twelfth word on a long line",
       {Repeat("x", 3000) + " b c d e f g h i j k \x82\xa0"},
       {{1, 3022, E, "12 words"}}},
      {"a story that shows no page",
       {"// only a comment", "@start"},
       {{0, 0, E,
         "the story shows no page: the first press of ＞次へ reads to the end of the file without "
         "a line to show"}}},
      {"UTF-8 with a byte-order mark and a character Shift-JIS lacks",
       {"\xEF\xBB\xBF@start", "\xE3\x81\x82\xE2\x99\xA1"},
       {{1, 1, E, "UTF-8 byte-order mark (EF BB BF): the game reads it as text"},
        {2, 1, E,
         "first deal with the 1 spot where the conversion would stop (each named at its line), "
         "then convert it with `sed '1s/^\\xEF\\xBB\\xBF//' dat/story.txt | iconv -f UTF-8 -t "
         "CP932 "
         "> story.sjis && mv story.sjis dat/story.txt`: it writes"},
        {2, 4, E, "\"\xE2\x99\xA1\" (U+2661) has no Shift-JIS (code page 932) form"}}},
      {"a label after a Ctrl-Z",
       {"A", "#trap @x", "", "B", "\x1a", "@x", "C"},
       {{2, 7, E, "@x] stands at line 6, after the Ctrl-Z at line 5 that ends the file"},
        {5, 1, W,
         "a Ctrl-Z (1A) at the start of this line ends the file for the game: it never "
         "reads the 2 lines with text after it"}}},
      {"seventeen words before the comment",
       {"a b c d e f g h i j k l m n o p q // c"},
       {{1, 33, E,
         "more than 16 words before the comment: the game refuses the whole story with "
         "\"範囲チェックエラー.\""}}},
      {"10000 lines", Lines(10000, "x"), {{10000, 1, E, "the story has 10000 lines"}}},
      {"no story file",
       {},
       {{0, 0, E,
         "there is no story file: the game shows "
         "\"『dat/story.txt』が見つかりません。終了します。\""}}},
      {"story is a folder",
       {},
       {{0, 0, E, "this is a folder"}},
       [](auto&, auto& services) { services.folders.insert("dat/story.txt"); }},
      {"story cannot be read",
       {},
       {{0, 0, E, "ファイルへのアクセスが拒否されました."}},
       [](auto& files, auto&) { files.read_errors["dat/story.txt"] = EACCES; }},
  });
}

TEST(StoryCheck, FramesAndSoundsTheGameCannotUseAreErrorsOnTheirFiles) {
  const Lines story = {"A"};
  ExpectEach({
      {"missing frame",
       story,
       {{0, 0, E,
         "the game shows \"ファイル dat/a3.bmp は開けません.\" at start-up and stops its start-up "
         "there: it loads no frame after this one and no story, the picture starts blank white, "
         "and as the portrait wanders it shows dat/a0.bmp to dat/a2.bmp and white for the rest, "
         "the special-move button reads \"BtnLX\", and the first press of ＞次へ ends the game"}},
       [](auto& files, auto&) { files.files.erase("dat/a3.bmp"); }},
      {"two missing frames: the start-up stops at the first",
       story,
       {{0, 0, E,
         "stops its start-up there: it loads no frame after this one and no story, the "
         "picture is blank white"},
        {0, 0, E,
         "the frame is missing: the game shows \"ファイル dat/a4.bmp は開けません.\" once "
         "dat/a0.bmp loads"}},
       [](auto& files, auto&) {
         files.files.erase("dat/a0.bmp"), files.files.erase("dat/a4.bmp");
       }},
      {"PNG named .bmp",
       story,
       {{0, 0, E, "the game shows \"ビットマップイメージが不正です.\" at start-up"}},
       [](auto& files, auto&) {
         files.files["dat/a5.bmp"] = "\x89PNG\r\n\x1a\n" + std::string(64, '\0');
       }},
      {"frame is a pipe",
       story,
       {{0, 0, E, "not a regular file"}},
       [](auto&, auto& services) { services.others.insert("dat/a0.bmp"); }},
      {"missing sound",
       story,
       {{0, 0, E, "the sound is missing: the special move's answer to a trap is silent"}},
       [](auto& files, auto&) { files.files.erase("dat/up.wav"); }},
      {"sound that cannot play",
       story,
       {{0, 0, E, "cannot play this file (not a wave)"}},
       [](auto& files, auto&) { files.files["dat/suka.wav"] = "OggS"; }},
  });
}

// A good frame with the little-endian field at `at` (`size` bytes) set to `value`.
std::string FrameWith(std::size_t at, std::uint32_t value, int size) {
  std::string frame = Frame(500, 300);
  for (int i = 0; i < size; ++i) frame[at + i] = static_cast<char>(value >> (8 * i));
  return frame;
}

// A frame the game's reader refuses, and a name spelt in another case: the finding names the
// reason in both languages (every reason's text: the rules' BmpRefusalLine test) and quotes the
// game's own text as it is.
TEST(StoryCheck, AFrameTheGameCannotLoadSaysWhyAndANameInAnotherCaseIsNamed) {
  const Lines story = {"A"};
  const auto frame = [](std::string bytes) {
    return [bytes](auto& files, auto&) { files.files["dat/a2.bmp"] = bytes; };
  };
  const std::string invalid = "the game shows \"ビットマップイメージが不正です.\"";
  ExpectEach({
      {"a PNG renamed .bmp",
       story,
       {{0, 0, E, "(this is a PNG file, not a Windows bitmap: save it as BMP): " + invalid,
         "(これは PNG ファイルで、Windows ビットマップではありません。"}},
       frame("\x89PNG\r\n\x1a\n" + std::string(64, '\0'))},
      {"100000 by 100000",
       story,
       {{0, 0, E,
         "(the bitmap claims 100000 by 300 pixels, over the game's limit of at most 32768 pixels a "
         "side and 89478485 pixels in all, 256 MiB of 24-bit colour)",
         "100000×300 ピクセルとしていて、ゲームの上限の1 辺 32768 ピクセル"}},
       frame(FrameWith(18, 100000, 4))},
      {"cut short",
       story,
       {{0, 0, E,
         "(the file ends before its bitmap does: it was cut short or is still being written): the "
         "game shows \"ストリームからの読み込みエラー.\"",
         "途中で切れたか、書き込み中です"}},
       frame(Frame(500, 300).substr(0, 60))},
      {"a frame spelt A2.BMP",
       story,
       {{0, 0, E,
         "the frame is missing (\"A2.BMP\" is there, a name that differs only in case: the game "
         "looks for \"a2.bmp\" exactly; rename the file): the game shows \"ファイル dat/a2.bmp は"
         "開けません.\"",
         "フレームがありません (大文字と小文字だけが違う「A2.BMP」があります。"}},
       [](auto& files, auto&) {
         files.files["dat/A2.BMP"] = files.files["dat/a2.bmp"];
         files.files.erase("dat/a2.bmp");
       }},
      {"a story spelt Story.txt",
       {},
       {{0, 0, E,
         "there is no story file (\"Story.txt\" is there, a name that differs only in case: the "
         "game looks for \"story.txt\" exactly; rename the file): the game shows",
         "物語のファイルがありません (大文字と小文字だけが違う「Story.txt」があります。"}},
       [](auto& files, auto&) { files.files["dat/Story.txt"] = "A\n"; }},
  });
}

TEST(StoryCheck, WhatIsLegalButProbablyNotMeantIsAWarning) {
  ExpectEach({
      {"line wider than the space",
       {"abcdefghijklmnopqrstuvwxyz01"},
       {{1, 28, W, "280 pixels wide, but 270 fit"}}},
      {"sixth line between breaks",
       {"1", "2", "3", "4", "5", "6"},
       {{6, 1, W, "this sixth line since the page began (line 1)"}}},
      {"label defined twice",
       {"A", "#goto @x", "@x", "B", "#end", "@x", "C"},
       {{3, 1, W, "no way through the story reads lines 3 to 5"},
        {6, 1, W,
         "defined again (first at line 3): a jump goes to the first one after it, else "
         "to the first from the top; the #goto at line 2 goes to line 6"}}},
      {"line no way reads",
       {"A", "#end", "B"},
       {{3, 1, W, "no way through the story reads this line"}}},
      {"trap that changes nothing",
       {"A", "#trap @next", "@next", "B"},
       {{2, 1, W, "leads where reading goes on anyway"}}},
      {"heat at an ending",
       {"#heatOn", "A"},
       {{2, 1, W, "the heat is still on when the story ends here"}}},
      {"lone lead byte at the end", {"A\x82", "B"}, {{1, 2, W, "stores the whole line empty"}}},
      {"lead byte before a comment",
       {"A\x82// note"},
       {{1, 2, W, "this comment marker is not seen"}}},
      {"no ending",
       {"@loop", "A", "", "#goto @loop"},
       {{2, 1, W, "no ending can be reached once the reader sees this page (with 7 uses"}}},
      {"a branch without an ending, reported at its trap",
       {"A", "#trap @b", "", "#end", "@b", "@loop", "B", "", "C", "#goto @loop"},
       {{2, 1, W,
         "(with 6 uses of the special move left): every way from here goes round for ever, "
         "through the loop of lines 7, 9"}}},
      {"text that looks like a command",
       {"A", "\x81\x94goto @x", "#goto@x", "#heat_on", "#heaton2", "", "@x", "B"},
       {{2, 1, W,
         "is no command the game obeys (#end, #goto, #trap, #heatOn, #heatOff, #notext), "
         "so the reader sees this line as text (commands are written in half-width letters); "
         "did you mean \"[#goto @x]\"?"},
        {3, 1, W, "did you mean \"[#goto @x]\"?"},
        {4, 1, W, "did you mean \"[#heatOn]\"?"},
        {5, 1, W, "did you mean \"[#heatOn 2]\"?"}}},
      {"commands and labels typed in full-width letters",
       {"\x81\x97start",                                                  // ＠start
        "A", "\x81\x94\x82\x88\x82\x64\x82\x81\x82\x94\x82\x6E\x82\x8E",  // ＃ｈＥａｔＯｎ
        "#goto \x81\x97\x82\x8F\x82\x8B",                                 // #goto ＠ｏｋ
        "", "@ok", "B"},
       {{1, 1, W,
         "begins with a full-width \"＠\", so the reader sees this line as text, not as a "
         "label (labels are written in half-width letters); did you mean \"[@start]\"?"},
        {3, 1, W, "(commands are written in half-width letters); did you mean \"[#heatOn]\"?"},
        {4, 7, E,
         "is not a label (a label begins with \"@\"): the game ignores this #goto and "
         "reads on after it; did you mean [@ok] (line 6)?"}}},
      {"bytes that are no Shift-JIS in a comment",
       {"A // \x85\x40"},
       {{1, 6, W,
         "bytes 85 40 are no Shift-JIS (code page 932) character, in a comment: the game "
         "drops the comment"}}},
      {"a trap on a page that ends the story",
       {"A", "#trap @x", "#end", "", "@x", "C"},
       {{2, 1, W,
         "the #trap at line 2 is armed on a page that ends the story (the #end at line 3)"},
        {5, 1, W,
         "no way through the story reads lines 5 to 6: the #trap at line 2 is armed on a "
         "page that ends the story"}}},
      {"a trap met only with no use left",
       EightTraps(),
       {{40, 1, W,
         "no way through the story reads lines 40 to 41: the #trap at line 37 that leads "
         "here is met only when no use of the special move is left (the #trap at line "
         "32 takes the last one)"}}},
      {"frame of another size",
       {"A"},
       {{0, 0, W, "the frame is 100 by 100, not 500 by 300"}},
       [](auto& files, auto&) { files.files["dat/a2.bmp"] = Frame(100, 100); }},
  });
}

TEST(StoryCheck, FindingsComeSortedByFileAndLineWithASummary) {
  FakeFolder folder;
  folder.files.files.erase("dat/a1.bmp");
  const CheckReport report = folder.Run({"", {"A", "#goto @x", "", "#trap @y", "B"}, {}});
  std::string text = FormatReport(report, Language::kEnglish);
  EXPECT_EQ(text,
            "dat/a1.bmp: error: the frame is missing: the game shows \"ファイル dat/a1.bmp は開けま"
            "せん.\" at start-up and stops its start-up there: it loads no frame after this one "
            "and no story, the picture starts blank white, and as the portrait wanders it shows "
            "dat/a0.bmp and white for the rest, the special-move button reads \"BtnLX\", and the "
            "first press of ＞次へ ends the game\n"
            "dat/story.txt:2:7: error: there is no label [@x]: the game ignores this #goto and "
            "reads on after it\n"
            "dat/story.txt:4:7: error: there is no label [@y]: the special move's answer shows "
            "its two lines and the story reads on unchanged\n"
            "walk: none for now: the game's start-up stops at dat/a1.bmp before it loads the "
            "story; once every frame loads:\n"
            "walk: 3 pages, 4 states (page and uses left); 1 ending reached: dat/story.txt:5 "
            "(end of file)\n"
            "walk: 2 pages on the shortest way to an ending, 3 on the longest\n"
            "3 errors, 0 warnings\n");
}

}  // namespace
}  // namespace game::check
