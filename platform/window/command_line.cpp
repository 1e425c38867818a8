#include "platform/window/command_line.h"

#include <string>
#include <vector>

#include "rules/cli/programs.h"

namespace game {
namespace {

const Bilingual kHelp = {
    "Usage: luxarim [--warp TARGET] [--watch] [--low-power]\n"
    "       luxarim --help | --version\n"
    "ルクサリム ～放課後の思考飛躍～: a story game in one window.\n"
    "It plays the story, frames and sounds in dat/ under the current folder; the\n"
    "installed luxarim command starts it in the game's data folder.\n"
    "\n"
    "  --low-power    let the processor rest between the picture's updates instead\n"
    "                 of keeping a core busy; the game plays the same (for laptops)\n"
    "  --help         prints this text\n"
    "  --version      prints the version\n"
    "\n"
    "For story authors:\n"
    "  --warp TARGET  start where TARGET is in dat/story.txt: a label (@name) or a\n"
    "                 line number (from 1). The first press of ＞次へ shows the page\n"
    "                 read from there, with the heat and the trap as the shortest\n"
    "                 way there leaves them. An unknown label or a line outside the\n"
    "                 file is refused with exit status 2.\n"
    "  --watch        read dat/story.txt and the frames again each time they are\n"
    "                 saved. The page on the screen stays; ＞次へ reads on from the\n"
    "                 same place. Each reload prints the story checker's findings\n"
    "                 about the story's lines on standard error; a story that does\n"
    "                 not load says why there, and the one before plays on.\n"
    "\n"
    "Keys: Tab moves between ＞次へ and ★; Space or Return presses the one with the\n"
    "focus.\n",

    "使い方: luxarim [--warp TARGET] [--watch] [--low-power]\n"
    "        luxarim --help | --version\n"
    "ルクサリム ～放課後の思考飛躍～: ウィンドウひとつで遊ぶノベルゲームです。\n"
    "今いるフォルダーの dat/ にある物語・立ち絵・効果音で遊びます。インストール\n"
    "した luxarim コマンドは、ゲームのデータのフォルダーで起動します。\n"
    "\n"
    "  --low-power    絵を描く合間に CPU を休ませます (CPU のコアを 1 つ使い\n"
    "                 続けません)。遊び方は同じです (ノートパソコン向け)\n"
    "  --help         この説明を表示します\n"
    "  --version      バージョンを表示します\n"
    "\n"
    "物語を書く人向け:\n"
    "  --warp TARGET  dat/story.txt の TARGET から始めます。TARGET はラベル (@name)\n"
    "                 か行番号 (1 から)。最初に＞次へを押すと、そこから読んだページを\n"
    "                 表示します。頬の赤みと罠は、そこまでのいちばん短い道筋を通った\n"
    "                 ときと同じです。ないラベルやファイルの外の行番号を指定すると、\n"
    "                 ウィンドウを開かずに終了ステータス 2 で終わります。\n"
    "  --watch        dat/story.txt と立ち絵が保存されるたびに読み直します。画面の\n"
    "                 ページはそのままで、＞次へは同じ場所から読み進めます。読み直す\n"
    "                 たびに、物語の行の検査結果を標準エラーに出します。読み込めなく\n"
    "                 なった物語は理由を出し、前の物語のまま遊び続けます。\n"
    "\n"
    "キー: Tab で＞次へと★を行き来し、スペースか Enter でフォーカスのあるボタンを\n"
    "押します。\n",
};

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, Language language, GameOptions& options) {
  const cli::Program& program = cli::GameProgram();
  const cli::CommandLine line =
      cli::Parse(program, std::vector<std::string>(argv + 1, argv + argc));
  if (const auto status = cli::Answer(program, line, kHelp, GAME_VERSION, out, err, language)) {
    return status;
  }
  if (line.Has("--warp")) options.warp = line.Value("--warp");
  options.watch = line.Has("--watch");
  options.low_power = line.Has("--low-power");
  return std::nullopt;
}

}  // namespace game
