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
           "  FOLDER（既定は dat）の物語・立ち絵・音を、ゲームと同じ部品で検査します。\n"
           "  FOLDER は dat フォルダーそのものでも、ゲームを起動するフォルダー（dat/ を\n"
           "  含むもの）でも構いません。\n"
           "  --graph FILE       物語の地図を書きます。.dot か .gv なら Graphviz DOT の\n"
           "                     テキスト、.svg か .png なら dot で描いた絵です。\n"
           "  --storyboard DIR   どの道筋でも見えるページをすべて PNG と index.html に\n"
           "                     描きます。\n"
           "  --overwrite        story_check が書いたものではない FILE や DIR も置き換え\n"
           "                     ます（物語のフォルダーには決して書きません）。\n"
           "  --large-graph      箱が 150 個を超える地図も描きます（dot で何分もかかり\n"
           "                     ます）。\n"
           "  --help             この説明を出します。\n"
           "  --version          版を出します。\n"
           "終了コード: 0 エラーなし、1 エラーあり、2 実行できませんでした。\n";
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
