#include "window/command_line.h"

#include <string_view>

namespace game {
namespace {

// The help in both languages. The lines marked "preview and low-power" describe --warp, --watch
// and --low-power, which are being built beside this text: they go with those options (keep
// them when the options are there, drop them otherwise).
const Bilingual kHelp = {
    "Usage: luxarim [--help | --version]\n"
    "ルクサリム ～放課後の思考飛躍～: a story game in one window.\n"
    "It plays the story, frames and sounds in dat/ under the current folder; the\n"
    "installed luxarim command starts it in the game's data folder.\n"
    // preview and low-power: begin
    "  --warp TARGET   the first ＞次へ shows the page read from TARGET: a label\n"
    "                  (@name) or a line number of dat/story.txt\n"
    "  --watch         rereads dat/ when it is saved; the next ＞次へ reads on in\n"
    "                  the new story, and its findings go to standard error\n"
    "  --low-power     waits instead of spinning between ticks (same picture)\n"
    // preview and low-power: end
    "  --help          prints this text\n"
    "  --version       prints the version\n"
    "Keys: Tab moves between ＞次へ and ★; Space or Return presses the one with the focus.\n",

    "使い方: luxarim [--help | --version]\n"
    "ルクサリム ～放課後の思考飛躍～: ウィンドウひとつで遊ぶ物語ゲームです。\n"
    "今いるフォルダーの dat/ にある物語・立ち絵・音で遊びます。インストールした\n"
    "luxarim コマンドは、ゲームのデータフォルダーで起動します。\n"
    // preview and low-power: begin
    "  --warp TARGET   最初の＞次へで TARGET から読んだページを表示します\n"
    "                  (TARGET はラベル @name か dat/story.txt の行番号)\n"
    "  --watch         dat/ が保存されたら読み直し、次の＞次へから新しい物語を\n"
    "                  読み進めます (検査結果は標準エラーへ)\n"
    "  --low-power     ティックの間を空回りせずに待ちます (絵は同じ)\n"
    // preview and low-power: end
    "  --help          この説明を表示します\n"
    "  --version       バージョンを表示します\n"
    "キー: Tab で＞次へと★を行き来し、スペースか Enter でフォーカスのあるボタンを押します。\n",
};

bool Known(std::string_view argument) { return argument == "--help" || argument == "--version"; }

void Refuse(std::string_view argument, std::ostream& err, Language language) {
  if (language == Language::kJapanese) {
    err << "luxarim: 不明な引数「" << argument << "」(--help を参照)\n";
  } else {
    err << "luxarim: unknown argument \"" << argument << "\" (try --help)\n";
  }
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv, std::ostream& out,
                                     std::ostream& err, Language language) {
  if (argc < 2) return std::nullopt;
  for (int i = 1; i < argc; ++i) {
    if (!Known(argv[i])) {
      Refuse(argv[i], err, language);
      return 2;
    }
  }
  if (std::string_view(argv[1]) == "--help") {
    out << kHelp.In(language);
  } else {
    out << "luxarim " << GAME_VERSION << '\n';
  }
  return 0;
}

}  // namespace game
