// The program entry: the command line, the application, its one window, and the message loop.
#include <filesystem>
#include <iostream>

#include "platform/posix/posix_file_system.h"
#include "platform/qt/game_app.h"
#include "platform/qt/key_filter.h"
#include "platform/window/app_identity.h"
#include "platform/window/command_line.h"
#include "platform/window/data_folder.h"
#include "platform/window/unit_form.h"
#include "rules/check/warp.h"
#include "rules/text/sjis_decoder.h"

namespace {

// Plans --warp before any window exists: status 2 after one line on standard error when TARGET
// names no place in the story; a warning there when no way reaches it.
std::optional<int> PlanPreview(const game::GameOptions& options, game::Language language,
                               game::PreviewOptions& preview) {
  preview.watch = options.watch;
  if (!options.warp) return std::nullopt;
  game::PosixFileSystem files;
  game::SjisTextDecoder decoder;
  game::check::WarpPlan plan = game::check::PlanWarp(files, decoder, *options.warp, language);
  if (!plan.refusal.empty()) {
    std::cerr << "luxarim: " << plan.refusal << '\n';
    return 2;
  }
  if (!plan.warning.empty()) std::cerr << "luxarim: " << plan.warning << '\n';
  preview.warp = std::move(plan);
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  const game::Language language = game::LanguageOfThisProcess();
  game::GameOptions options;
  if (const auto status =
          game::HandleCommandLine(argc, argv, std::cout, std::cerr, language, options)) {
    return *status;
  }
  std::error_code no_folder;
  if (const auto note =
          game::MissingDataFolderNote(std::filesystem::current_path(no_folder), language)) {
    std::cerr << *note << std::endl;  // the game then starts as ever and shows its file errors
  }
  game::PreviewOptions preview;
  if (const auto status = PlanPreview(options, language, preview)) return *status;
  // Qt sees the program's name alone: the options above are the game's, not Qt's.
  int qt_argc = 1;
  game::GameApplication app(qt_argc, argv, game::kGameShortName);
  app.setWindowIcon(game::GameIcon());
  game::KeyFilter keys;
  app.installEventFilter(&keys);

  game::TFormMain form(app, options, std::move(preview));
  if (app.Terminated()) return 0;  // start-up already ended the program (a missing story)
  form.show();  // start-up finishes once the window is on the screen (TFormMain::FinishStartup)
  return app.Run();
}
