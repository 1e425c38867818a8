// story_check [--graph FILE] [--storyboard DIR] [--overwrite] [--large-graph] [FOLDER] (or --help,
// --version): checks a story
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
#include "rules/check/options.h"
#include "rules/check/story_map.h"
#include "rules/cli/programs.h"
#include "rules/text/sjis_decoder.h"

namespace {

using namespace game::check;

constexpr int kCouldNotRun = 2;

// The map and the storyboard, as asked for; false when one could not be made (said on stderr).
bool Draw(const Options& options, const std::string& story, StoryCheck& check,
          const CheckReport& report, game::TextDecoder& decoder, Language language) {
  const auto refuse = [&](const game::Bilingual& why) {
    std::cerr << game::cli::Refusal("story_check", why, language);
    return false;
  };
  if (!report.walked) {
    return refuse({"no map and no storyboard: the game does not load this story",
                   "物語を読み込めないので、分岐図も絵コンテも作れません。"});
  }
  const std::vector<int> order = ReadingOrder(check.Walk());
  OutputRequest out{
      .story_folder = story, .overwrite = options.overwrite, .large = options.large_graph};
  if (!options.graph.empty()) {
    out.path = options.graph;
    const std::string dot = StoryMapDot(check.Walk(), order, decoder);
    if (const auto failed = WriteGraphFile(out, dot, std::cerr, language)) return refuse(*failed);
  }
  if (!options.storyboard.empty()) {
    out.path = options.storyboard;
    if (const auto failed = WriteStoryboard(check.Walk(), order, check.Folder(), decoder,
                                            report.story_path, out, language)) {
      return refuse(*failed);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const Language language = game::LanguageOfThisProcess();
  game::cli::CommandLine line;
  if (const auto status = game::cli::ReadCommandLine(game::cli::CheckProgram(), argc, argv,
                                                     CheckHelp(), GAME_VERSION, line, language)) {
    return *status;
  }
  const Options options = CheckOptions(line);
  static char name[] = "story_check";
  const auto app = StartToolApplication(name);
  game::PosixFileSystem files;
  DesktopCheckServices services;
  if (services.KindOf(options.folder) != PathKind::kFolder) {
    std::cerr << game::cli::Refusal(
        "story_check", {"no folder " + options.folder, "フォルダーがありません: " + options.folder},
        language);
    return kCouldNotRun;
  }
  game::SjisTextDecoder decoder;
  const std::string story = StoryFolderFor(services, options.folder);
  StoryCheck check(files, services, decoder, story, GamePictureLayout());
  const CheckReport report = check.Run();
  std::cout << FormatReport(report, language) << std::flush;
  const bool drawing = !options.graph.empty() || !options.storyboard.empty();
  if (drawing && !Draw(options, story, check, report, decoder, language)) return kCouldNotRun;
  return CountOf(report.findings, Severity::kError) > 0 ? 1 : 0;
}
