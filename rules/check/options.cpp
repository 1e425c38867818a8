#include "rules/check/options.h"

namespace game::check {
namespace {

struct Parser {
  const std::vector<std::string>& arguments;
  Language language;
  ParsedOptions parsed;
  bool folder_given = false;

  std::string Say(const std::string& en, const std::string& ja) const {
    return language == Language::kJapanese ? ja : en;
  }

  // Takes the value of an option that needs one; false (with the error set) when it is missing.
  bool Value(std::size_t& i, const std::string& name, std::string& value) {
    const std::string& argument = arguments[i];
    if (argument.size() > name.size() && argument[name.size()] == '=') {
      value = argument.substr(name.size() + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      value.clear();
    }
    if (value.empty()) parsed.error = Say(name + " needs a value", name + " には値が必要です");
    return !value.empty();
  }

  bool Folder(const std::string& argument) {
    if (folder_given) {
      parsed.error =
          Say("more than one folder: " + argument, "フォルダーが 2 つ以上あります: " + argument);
      return false;
    }
    folder_given = true;
    parsed.options.folder = argument;
    return true;
  }

  bool Is(const std::string& argument, const std::string& name) const {
    return argument == name || argument.starts_with(name + "=");
  }

  ParsedOptions Run() {
    bool options_ended = false;
    for (std::size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
      const std::string& argument = arguments[i];
      if (options_ended || argument.empty() || argument[0] != '-' || argument == "-") {
        Folder(argument);
      } else if (argument == "--") {
        options_ended = true;
      } else if (argument == "-h" || argument == "--help") {
        parsed.options.help = true;
      } else if (argument == "--version") {
        parsed.options.version = true;
      } else if (Is(argument, "--graph")) {
        Value(i, "--graph", parsed.options.graph);
      } else if (Is(argument, "--storyboard")) {
        Value(i, "--storyboard", parsed.options.storyboard);
      } else {
        parsed.error = Say("unknown option: " + argument, "不明なオプション: " + argument);
      }
    }
    return parsed;
  }
};

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments, Language language) {
  return Parser{arguments, language, {}}.Run();
}

std::string Usage(Language language) {
  if (language == Language::kJapanese) {
    return "使い方: story_check [--graph FILE] [--storyboard DIR] [FOLDER]\n"
           "        story_check --help | --version\n"
           "  FOLDER の物語・立ち絵・効果音を、ゲームと同じ部品で検査します。FOLDER は\n"
           "  dat フォルダーそのものか、dat を含むフォルダー (ゲームを起動するフォルダー)\n"
           "  です。省略すると、今いるフォルダーの dat を検査します。\n"
           "  --graph FILE       物語の分岐図を Graphviz の DOT で書きます (名前が .svg か\n"
           "                     .png で終わるなら、dot で絵にします)\n"
           "  --storyboard DIR   いずれかの道筋で表示されるページをすべて PNG に描き、\n"
           "                     index.html にまとめます\n"
           "  --help             この説明を表示します\n"
           "  --version          バージョンを表示します\n"
           "終了ステータス: 0 エラーなし、1 エラーあり、2 検査できなかった\n";
  }
  return "usage: story_check [--graph FILE] [--storyboard DIR] [FOLDER]\n"
         "       story_check --help | --version\n"
         "  Checks the story, portrait frames and sounds in FOLDER (default: dat) with the\n"
         "  game's own units. FOLDER is the dat folder itself or the folder the game\n"
         "  starts in (the one that holds dat/).\n"
         "  --graph FILE       writes the story's map as Graphviz DOT (.svg or .png: drawn\n"
         "                     by dot)\n"
         "  --storyboard DIR   draws every page any way shows as PNG files and an\n"
         "                     index.html\n"
         "  --help             prints this text\n"
         "  --version          prints the version\n"
         "exit status: 0 no error, 1 errors found, 2 the check could not run\n";
}

}  // namespace game::check
