// story_export [--zip] [--force] [--replace] [--title TEXT] FOLDER OUT: checks a story folder with
// the checker's own units and writes it as a static web site (index.html at its root, the web
// player, dat/ with the story's seven files, the font cut down to the story's characters with its
// licence), or with --zip as one zip file of that site. The same input gives the same bytes.
// Exit status: 0 written, 1 the check found errors (nothing written; --force writes it anyway),
// 2 the export could not run (bad arguments, an unreadable folder, OUT not writable), each with one
// line on stderr in the checker's language (LC_ALL, LC_MESSAGES, LANG).
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "platform/check/desktop_check_services.h"
#include "platform/check/tool_setup.h"
#include "platform/export/export_files.h"
#include "platform/export/export_options.h"
#include "platform/export/export_target.h"
#include "platform/posix/posix_file_system.h"
#include "platform/site/hb_subset.h"
#include "platform/site/site_writer.h"
#include "rules/check/story_check.h"
#include "rules/check/story_folder.h"
#include "rules/cli/programs.h"
#include "rules/story/game_texts.h"
#include "rules/text/sjis_decoder.h"

namespace {

namespace fs = std::filesystem;
using game::check::Language;
using game::check::Message;

enum ExitStatus { kWritten = 0, kRefused = 1, kCouldNotRun = 2 };

int Say(const Message& reason, Language language, int status) {
  std::cerr << game::cli::Refusal("story_export", reason, language);
  return status;
}

// The web player's files: installed beside the tool's folder (bin/ -> share/games/luxarim/web),
// else the build's page and module. Nothing when neither holds index.html.
std::vector<fs::path> PlayerFolders(std::string& looked_in) {
  std::error_code error;
  const fs::path tools = fs::read_symlink("/proc/self/exe", error).parent_path();
  const std::vector<std::vector<fs::path>> candidates = {
      {(tools / GAME_WEB_PLAYER_FROM_INSTALLED_TOOL).lexically_normal()},
      {GAME_WEB_PAGE_DIR, GAME_WEB_MODULE_DIR}};
  for (const auto& folders : candidates) {
    if (fs::is_regular_file(folders.front() / "index.html", error) &&
        fs::is_regular_file(folders.back() / "luxarim.wasm", error)) {
      return folders;
    }
    looked_in += (looked_in.empty() ? "" : ", ") + folders.back().string();
  }
  return {};
}

// Why the story folder cannot be read, if it cannot.
std::optional<Message> FolderProblem(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error))
    return Message{"no folder " + folder, "フォルダーがありません: " + folder};
  fs::directory_iterator(folder, error);
  if (error) {
    return Message{"cannot read " + folder + ": " + error.message(),
                   folder + " を読めません: " + error.message()};
  }
  return std::nullopt;
}

// The one line that says where the site was written.
Message Written(const game::exporting::ExportOptions& options) {
  if (options.zip) {
    return {"the site is written as one zip file: " + options.out,
            "サイトを zip ファイル " + options.out + " に書き出しました"};
  }
  const std::string page = (fs::path(options.out) / "index.html").string();
  return {"the site is written in " + options.out + " (its page: " + page + ")",
          "サイトを " + options.out + " に書き出しました (ページは " + page + ")"};
}

// The checker's report on `folder`, printed as story_check prints it; the number of errors.
int CheckStory(const std::string& folder, Language language) {
  using namespace game::check;
  game::PosixFileSystem files;
  DesktopCheckServices services;
  game::SjisTextDecoder decoder;
  StoryCheck check(files, services, decoder, folder, GamePictureLayout());
  const CheckReport report = check.Run();
  std::cout << FormatReport(report, language) << std::flush;
  return CountOf(report.findings, Severity::kError);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace game::exporting;
  const Language language = game::LanguageOfThisProcess();
  game::cli::CommandLine line;
  if (const auto status = game::cli::ReadCommandLine(game::cli::ExportProgram(), argc, argv,
                                                     ExportHelp(), GAME_VERSION, line, language)) {
    return *status;
  }
  const ExportOptions options = ExportOptionsOf(line);
  static char name[] = "story_export";
  const auto app = game::check::StartToolApplication(name);
  game::check::DesktopCheckServices services;
  const std::string story = game::check::StoryFolderFor(services, options.folder);
  if (const auto problem = FolderProblem(story)) return Say(*problem, language, kCouldNotRun);
  std::string looked_in;
  const std::vector<fs::path> player = PlayerFolders(looked_in);
  if (player.empty()) {
    return Say({"the web player's files are not there (looked in " + looked_in + ")",
                "ウェブプレイヤーのファイルがありません (探した場所: " + looked_in + ")"},
               language, kCouldNotRun);
  }
  DiskExportFiles disk;
  ExportTarget target(
      disk, {.out = options.out, .story = story, .zip = options.zip, .replace = options.replace});
  Message problem;
  const auto staging = target.Stage(problem);
  if (!staging) return Say(problem, language, kCouldNotRun);

  const int errors = CheckStory(story, language);
  if (errors > 0 && !options.force) {
    const std::string count = std::to_string(errors);
    return Say({"the check found " + game::check::Counted(errors, "error", "errors") +
                    ": nothing written (--force writes it anyway)",
                "検査でエラーが " + count + " 件見つかったので、何も書き出していません " +
                    "(--force を付ければ書き出します)"},
               language, kRefused);
  }
  const game::SiteInput site{.story = story,
                             .player = player,
                             .font = GAME_WEB_FONT,
                             .licence = GAME_WEB_FONT_LICENCE,
                             .title = options.title.empty() ? game::kGameTitleText : options.title};
  std::optional<Message> note;
  try {
    game::SjisTextDecoder decoder;
    game::WriteSite(site, *staging, decoder, game::HbSubset);
  } catch (const fs::filesystem_error& failure) {
    return Say(target.CannotWrite(failure.code()), language, kCouldNotRun);
  } catch (const std::exception& failure) {
    return Say({"cannot write " + options.out + ": " + failure.what(),
                options.out + " に書けません。" + failure.what()},
               language, kCouldNotRun);
  }
  if (const auto refused = target.Publish(note)) return Say(*refused, language, kCouldNotRun);
  if (note) Say(*note, language, kWritten);
  std::cout << "story_export: " << Written(options).In(language) << '\n';
  return kWritten;
}
