#include "platform/export/export_options.h"

namespace game::exporting {
namespace {

using check::Language;

class Parser {
 public:
  Parser(const std::vector<std::string>& arguments, Language language)
      : arguments_(arguments), language_(language) {}

  ParsedExportOptions Run() {
    std::vector<std::string> operands;
    bool options_ended = false;
    for (std::size_t i = 0; i < arguments_.size() && parsed_.error.empty(); ++i) {
      const std::string& argument = arguments_[i];
      if (options_ended || argument.size() < 2 || argument[0] != '-') {
        operands.push_back(argument);
      } else if (argument == "--") {
        options_ended = true;
      } else if (argument == "-h" || argument == "--help") {
        parsed_.options.help = true;
      } else if (argument == "--version") {
        parsed_.options.version = true;
      } else if (argument == "--zip") {
        parsed_.options.zip = true;
      } else if (argument == "--force") {
        parsed_.options.force = true;
      } else if (argument == "--title" || argument.starts_with("--title=")) {
        Title(i);
      } else {
        Fail("unknown option: " + argument, "不明なオプション: " + argument);
      }
    }
    if (parsed_.error.empty() && !parsed_.options.help && !parsed_.options.version) {
      Operands(operands);
    }
    return parsed_;
  }

 private:
  void Fail(const std::string& en, const std::string& ja) {
    parsed_.error = language_ == Language::kJapanese ? ja : en;
  }

  void Title(std::size_t& i) {
    const std::string& argument = arguments_[i];
    std::string& title = parsed_.options.title;
    if (argument != "--title") {
      title = argument.substr(std::string("--title=").size());
    } else if (i + 1 < arguments_.size()) {
      title = arguments_[++i];
    }
    if (title.empty()) Fail("--title needs a value", "--title には値が必要です");
  }

  void Operands(const std::vector<std::string>& operands) {
    if (operands.size() < 2) {
      Fail("give the story folder and where to write the site",
           "物語のフォルダーと書き出し先を指定してください");
    } else if (operands.size() > 2) {
      Fail("more than two operands: " + operands[2], "引数が 3 つ以上あります: " + operands[2]);
    } else {
      parsed_.options.folder = operands[0];
      parsed_.options.out = operands[1];
    }
  }

  const std::vector<std::string>& arguments_;
  Language language_;
  ParsedExportOptions parsed_;
};

}  // namespace

ParsedExportOptions ParseExportOptions(const std::vector<std::string>& arguments,
                                       Language language) {
  return Parser(arguments, language).Run();
}

std::string ExportUsage(Language language) {
  if (language == Language::kJapanese) {
    return "使い方: story_export [--zip] [--force] [--title TEXT] FOLDER OUT\n"
           "        story_export --help | --version\n"
           "  FOLDER (物語のフォルダー、または dat を含むフォルダー) を story_check と\n"
           "  同じように検査し、ブラウザーで遊べる静的なサイトとして OUT に書き出します。\n"
           "  OUT は新しいフォルダー、空のフォルダー、前に書き出したフォルダーのどれかです。\n"
           "  --zip          OUT を 1 つの zip ファイルにします (index.html がいちばん上)\n"
           "  --force        検査でエラーが見つかっても書き出します\n"
           "  --title TEXT   ページのタイトル (既定はゲームの題名)\n"
           "終了ステータス: 0 書き出した、1 エラーが見つかり書き出さなかった、\n"
           "2 実行できなかった\n";
  }
  return "usage: story_export [--zip] [--force] [--title TEXT] FOLDER OUT\n"
         "       story_export --help | --version\n"
         "  Checks FOLDER (the story folder, or the folder that holds dat/) as story_check\n"
         "  does and writes it to OUT as a static web site that plays in a browser. OUT is\n"
         "  a new or empty folder, or an earlier export.\n"
         "  --zip          write OUT as one zip file, index.html at its root\n"
         "  --force        write it even when the check finds errors\n"
         "  --title TEXT   the page's title (default: the game's own title)\n"
         "exit status: 0 written, 1 refused for the check's errors, 2 could not run\n";
}

}  // namespace game::exporting
