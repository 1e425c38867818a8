// story_check [--graph FILE] [--storyboard DIR] [FOLDER] (or --help, --version): checks a story
// folder (default: dat; the folder that holds dat/ stands for its dat/) with the game's own units
// and prints every fault the game would meet, in the compiler format
// ("dat/story.txt:12:5: error: ..."), then the walk's summary and a count. Messages are Japanese
// when the locale (LC_ALL, LC_MESSAGES, LANG) is Japanese.
// Exit status: 0 no error, 1 errors found, 2 the check could not run (bad arguments, a map or
// storyboard that could not be written).
#include "rules/check/story_check.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "platform/check/desktop_check_services.h"
#include "platform/check/graph_file.h"
#include "platform/check/storyboard.h"
#include "platform/check/tool_setup.h"
#include "platform/posix/posix_file_system.h"
#include "platform/qt/qt_text_decoder.h"
#include "rules/check/options.h"
#include "rules/check/story_map.h"

namespace {

using namespace game::check;

constexpr int kCouldNotRun = 2;

// The map and the storyboard, as asked for; false when one could not be made (said on stderr).
bool Draw(const Options& options, StoryCheck& check, const CheckReport& report,
          game::TextDecoder& decoder, Language language) {
  const bool ja = language == Language::kJapanese;
  if (!report.walked) {
    std::cerr << "story_check: "
              << (ja ? "物語を読み込めないので、分岐図も絵コンテも作れません\n"
                     : "no map and no storyboard: the game does not load this story\n");
    return false;
  }
  const std::vector<int> order = ReadingOrder(check.Walk());
  std::string error;
  if ((!options.graph.empty() &&
       !WriteGraphFile(options.graph, StoryMapDot(check.Walk(), order, decoder), error)) ||
      (!options.storyboard.empty() &&
       !WriteStoryboard(check.Walk(), order, check.Folder(), decoder, report.story_path,
                        options.storyboard, language, error))) {
    std::cerr << "story_check: " << (ja ? "書けません: " : "cannot write ") << error << '\n';
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const Language language = game::LanguageOfThisProcess();
  const ParsedOptions parsed =
      ParseOptions(std::vector<std::string>(argv + 1, argv + argc), language);
  if (!parsed.error.empty()) {
    std::cerr << "story_check: " << parsed.error << '\n' << Usage(language);
    return kCouldNotRun;
  }
  const Options& options = parsed.options;
  if (options.help) {
    std::cout << Usage(language);
    return 0;
  }
  if (options.version) {
    std::cout << "story_check " << GAME_VERSION << '\n';
    return 0;
  }
  static char name[] = "story_check";
  const auto app = StartToolApplication(name);
  game::PosixFileSystem files;
  DesktopCheckServices services;
  if (services.KindOf(options.folder) != PathKind::kFolder) {
    std::cerr << "story_check: "
              << (language == Language::kJapanese ? "フォルダーがありません: " : "no folder ")
              << options.folder << '\n';
    return kCouldNotRun;
  }
  game::QtTextDecoder decoder;
  StoryCheck check(files, services, decoder, StoryFolderFor(services, options.folder),
                   GamePictureLayout());
  const CheckReport report = check.Run();
  std::cout << FormatReport(report, language) << std::flush;
  const bool drawing = !options.graph.empty() || !options.storyboard.empty();
  if (drawing && !Draw(options, check, report, decoder, language)) return kCouldNotRun;
  return CountOf(report.findings, Severity::kError) > 0 ? 1 : 0;
}
