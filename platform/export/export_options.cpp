#include "platform/export/export_options.h"

namespace game::exporting {

ExportOptions ExportOptionsOf(const cli::CommandLine& line) {
  ExportOptions options;
  if (line.operands.size() == 2) {
    options.folder = line.operands[0];
    options.out = line.operands[1];
  }
  options.title = line.Value("--title");
  options.zip = line.Has("--zip");
  options.force = line.Has("--force");
  options.replace = line.Has("--replace");
  return options;
}

Bilingual ExportHelp() {
  return {ExportUsage(Language::kEnglish), ExportUsage(Language::kJapanese)};
}

std::string ExportUsage(Language language) {
  if (language == Language::kJapanese) {
    return "使い方: story_export [--zip] [--force] [--replace] [--title TEXT] FOLDER OUT\n"
           "        story_export --help | --version\n"
           "  FOLDER (物語のフォルダー、または dat を含むフォルダー) を story_check と\n"
           "  同じように検査し、ブラウザーで遊べる静的なサイトとして OUT に書き出します。\n"
           "  新しいサイトは OUT の隣に作ってから OUT と入れ替えます。OUT にある、前回の\n"
           "  書き出しにないものは新しいサイトに残します。物語のフォルダーと、それを含む\n"
           "  フォルダーには決して書きません。\n"
           "  --zip          OUT を 1 つの zip ファイルにします (index.html がいちばん上)\n"
           "  --force        検査でエラーが見つかっても書き出します\n"
           "  --replace      OUT にあって前回の書き出しのままではないファイルのうち、新しい\n"
           "                 サイトと同じ名前のものを置き換えます (zip なら OUT そのもの)\n"
           "  --title TEXT   ページのタイトル (既定はゲームの題名)\n"
           "終了ステータス: 0 書き出した、1 エラーが見つかり書き出さなかった、\n"
           "2 実行できなかった\n";
  }
  return "usage: story_export [--zip] [--force] [--replace] [--title TEXT] FOLDER OUT\n"
         "       story_export --help | --version\n"
         "  Checks FOLDER (the story folder, or the folder that holds dat/) as story_check\n"
         "  does and writes it to OUT as a static web site that plays in a browser. The\n"
         "  new site is made beside OUT and then takes its place; what OUT holds that no\n"
         "  earlier export wrote is kept in it, and the story folder or a folder that\n"
         "  holds it is never written.\n"
         "  --zip          write OUT as one zip file, index.html at its root\n"
         "  --force        write it even when the check finds errors\n"
         "  --replace      replace the files in OUT that no earlier export wrote as they\n"
         "                 are and the new site has too (with --zip: OUT itself)\n"
         "  --title TEXT   the page's title (default: the game's own title)\n"
         "exit status: 0 written, 1 refused for the check's errors, 2 could not run\n";
}

}  // namespace game::exporting
