#include "rules/check/options.h"

namespace game::check {

Options CheckOptions(const cli::CommandLine& line) {
  Options options;
  if (!line.operands.empty()) options.folder = line.operands.front();
  options.graph = line.Value("--graph");
  options.storyboard = line.Value("--storyboard");
  options.overwrite = line.Has("--overwrite");
  options.large_graph = line.Has("--large-graph");
  return options;
}

Bilingual CheckHelp() { return {Usage(Language::kEnglish), Usage(Language::kJapanese)}; }

std::string Usage(Language language) {
  if (language == Language::kJapanese) {
    return "使い方: story_check [--graph FILE] [--storyboard DIR] [--overwrite]\n"
           "                   [--large-graph] [FOLDER]\n"
           "        story_check --help | --version\n"
           "  FOLDER の物語・立ち絵・効果音を、ゲームと同じ部品で検査します。FOLDER は\n"
           "  dat フォルダーそのものか、dat を含むフォルダー (ゲームを起動するフォルダー)\n"
           "  です。省略すると、今いるフォルダーの dat を検査します。\n"
           "  --graph FILE       物語の分岐図を書きます。.dot か .gv なら Graphviz の DOT\n"
           "                     のテキスト、.svg か .png なら dot で描いた絵です\n"
           "  --storyboard DIR   いずれかの道筋で表示されるページをすべて PNG に描き、\n"
           "                     index.html にまとめます\n"
           "  --overwrite        story_check が書いたものではない FILE や DIR も置き換え\n"
           "                     ます (物語のフォルダーには決して書きません)\n"
           "  --large-graph      箱が 150 個を超える分岐図も描きます (dot で何分もかかる\n"
           "                     ことがあります)\n"
           "  --help             この説明を表示します\n"
           "  --version          バージョンを表示します\n"
           "終了ステータス: 0 エラーなし、1 エラーあり、2 検査できなかった\n";
  }
  return "usage: story_check [--graph FILE] [--storyboard DIR] [--overwrite]\n"
         "                   [--large-graph] [FOLDER]\n"
         "       story_check --help | --version\n"
         "  Checks the story, portrait frames and sounds in FOLDER (default: dat) with\n"
         "  the game's own units. FOLDER is the dat folder itself or the folder the game\n"
         "  starts in (the one that holds dat/).\n"
         "  --graph FILE       writes the story's map: Graphviz DOT text for a .dot or .gv\n"
         "                     name, a picture drawn by dot for .svg or .png\n"
         "  --storyboard DIR   draws every page any way shows as PNG files and an\n"
         "                     index.html\n"
         "  --overwrite        FILE and DIR may replace what story_check did not write\n"
         "                     (never anything in the story folder)\n"
         "  --large-graph      draws a map of more than 150 boxes too (dot takes minutes)\n"
         "  --help             prints this text\n"
         "  --version          prints the version\n"
         "exit status: 0 no error, 1 errors found, 2 the check could not run\n";
}

}  // namespace game::check
