#include "rules/cli/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

#include "rules/cli/programs.h"

namespace game::cli {
namespace {

constexpr Language en = Language::kEnglish, ja = Language::kJapanese;

// What a command line came to: "answer --help", the options and operands it gave
// ("--warp=@a --watch | dat"), or the exact refusal line.
std::string Outcome(const Program& program, const std::vector<std::string>& arguments,
                    Language language) {
  const CommandLine line = Parse(program, arguments);
  std::ostringstream out, err;
  const auto status = Answer(program, line, {"help\n", "説明\n"}, "9.9", out, err, language);
  if (status == 2) return err.str();
  if (status == 0) return out.str();
  std::string given;
  for (const auto& [option, value] : line.given)
    given += option + (value.empty() ? "" : "=" + value) + " ";
  given += "|";
  for (const std::string& operand : line.operands) given += " " + operand;
  return given;
}

// Every program's command line, read by the one parser: the options each takes, the operands,
// the answers, and each refusal as its one line, in both languages.
TEST(CommandLine, OneTableForEveryProgram) {
  const Program& game = GameProgram();
  const Program& check = CheckProgram();
  const Program& exporter = ExportProgram();
  const Program& bitmap = BitmapProgram();
  const struct {
    const Program& program;
    std::vector<std::string> arguments;
    std::string outcome;
    Language language = en;
  } cases[] = {
      {game, {}, "|"},
      {game, {"--warp", "@leap", "--watch"}, "--warp=@leap --watch |"},
      {game, {"--warp=12", "--low-power"}, "--low-power --warp=12 |"},
      {game, {"--watch", "--warp", "--watch"}, "--warp=--watch --watch |"},
      {game, {"--help"}, "help\n"},
      {game, {"-h"}, "help\n"},
      {game, {"--help"}, "説明\n", ja},
      {game, {"--version", "--help"}, "luxarim 9.9\n"},
      {game, {"--watch", "--help"}, "help\n"},
      {game, {"--warp"}, "luxarim: --warp needs a value: TARGET (try 'luxarim --help')\n"},
      {game, {"--warp="}, "luxarim: --warp needs a value: TARGET (try 'luxarim --help')\n"},
      {game,
       {"--warp"},
       "luxarim: --warp には値（TARGET）が要ります。「luxarim --help」を参照してください。\n",
       ja},
      {game, {"--watch", "--watch"}, "luxarim: --watch is given twice (try 'luxarim --help')\n"},
      {game,
       {"--low-power", "--low-power"},
       "luxarim: --low-power が二度指定されています。「luxarim --help」を参照してください。\n",
       ja},
      {game, {"--watch=yes"}, "luxarim: --watch takes no value (try 'luxarim --help')\n"},
      {game,
       {"-platform", "offscreen"},
       "luxarim: unknown option: -platform (try 'luxarim --help')\n"},
      {game,
       {"--bogus"},
       "luxarim: 不明なオプション「--bogus」です。「luxarim --help」を参照してください。\n",
       ja},
      {game, {"dat"}, "luxarim: unexpected argument: dat (try 'luxarim --help')\n"},
      {game, {"--help", "dat"}, "luxarim: unexpected argument: dat (try 'luxarim --help')\n"},
      {game, {""}, "luxarim: unexpected argument:  (try 'luxarim --help')\n"},
      {check, {}, "|"},
      {check, {"stories/one"}, "| stories/one"},
      {check,
       {"--graph", "map.svg", "--storyboard=board", "x"},
       "--graph=map.svg --storyboard=board | x"},
      {check,
       {"--overwrite", "--large-graph", "--graph=m.png"},
       "--graph=m.png --large-graph --overwrite |"},
      {check, {"--", "--graph"}, "| --graph"},
      {check, {"-"}, "| -"},
      {check, {"--version"}, "story_check 9.9\n"},
      {check, {"--graph"}, "story_check: --graph needs a value: FILE (try 'story_check --help')\n"},
      {check,
       {"--storyboard="},
       "story_check: --storyboard needs a value: DIR (try 'story_check --help')\n"},
      {check,
       {"a", "b"},
       "story_check: 余分な引数「b」があります。「story_check --help」を参照してください。\n",
       ja},
      {check, {"-x"}, "story_check: unknown option: -x (try 'story_check --help')\n"},
      {exporter, {"story", "site"}, "| story site"},
      {exporter, {"--zip", "--force", "story", "game.zip"}, "--force --zip | story game.zip"},
      {exporter,
       {"story", "site", "--title", "星の話", "--replace"},
       "--replace --title=星の話 | story site"},
      {exporter, {"--title=A B", "story", "site"}, "--title=A B | story site"},
      {exporter, {"--", "--zip", "-"}, "| --zip -"},
      {exporter, {"--help"}, "help\n"},
      {exporter,
       {"story", "site", "--title"},
       "story_export: --title needs a value: TEXT (try 'story_export --help')\n"},
      {exporter,
       {"story"},
       "story_export: give the story folder and where to write the site (try 'story_export "
       "--help')\n"},
      {exporter,
       {},
       "story_export: 物語のフォルダーと書き出し先を指定してください。「story_export "
       "--help」を参照してください。\n",
       ja},
      {exporter,
       {"a", "b", "c"},
       "story_export: unexpected argument: c (try 'story_export --help')\n"},
      {exporter,
       {"--zipp", "a", "b"},
       "story_export: unknown option: --zipp (try 'story_export --help')\n"},
      {bitmap, {"in.bmp", "out.png"}, "| in.bmp out.png"},
      {bitmap, {"--", "-in.bmp", "out.png"}, "| -in.bmp out.png"},
      {bitmap, {"--version"}, "bmp2png 9.9\n"},
      {bitmap, {"in.bmp"}, "bmp2png: give IN.bmp and OUT.png (try 'bmp2png --help')\n"},
      {bitmap, {"--bogus"}, "bmp2png: unknown option: --bogus (try 'bmp2png --help')\n"},
      {bitmap,
       {"a", "b", "c"},
       "bmp2png: 余分な引数「c」があります。「bmp2png --help」を参照してください。\n",
       ja},
  };
  for (const auto& c : cases) {
    std::string label = c.program.name;
    for (const std::string& argument : c.arguments) label += " " + argument;
    EXPECT_EQ(Outcome(c.program, c.arguments, c.language), c.outcome) << label;
  }
}

TEST(CommandLine, ColumnsCountWideCharactersTwice) {
  const struct {
    std::string text;
    int columns;
  } cases[] = {{"", 0},         {"--help", 6}, {"使い方: x", 9}, {"（dat/）", 8},
               {"＞次へ ★", 8}, {"é", 1},      {"★ x", 3},       {"～", 2}};
  for (const auto& c : cases) EXPECT_EQ(Columns(c.text), c.columns) << c.text;
}

}  // namespace
}  // namespace game::cli
