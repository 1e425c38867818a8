// The program entry: the application, its one window, and the message loop.
#include <filesystem>
#include <iostream>

#include "qt/game_app.h"
#include "qt/key_filter.h"
#include "window/app_identity.h"
#include "window/command_line.h"
#include "window/data_folder.h"
#include "window/unit_form.h"

int main(int argc, char** argv) {
  game::GameOptions options;
  if (const auto status = game::HandleCommandLine(argc, argv, std::cout, std::cerr, options)) {
    return *status;
  }
  std::error_code no_folder;
  if (const auto note = game::MissingDataFolderNote(std::filesystem::current_path(no_folder))) {
    std::cerr << *note << std::endl;  // the game then starts as ever and shows its file errors
  }
  game::GameApplication app(argc, argv, game::kGameShortName);
  app.setWindowIcon(game::GameIcon());
  game::KeyFilter keys;
  app.installEventFilter(&keys);

  game::TFormMain form(app, options);
  if (app.Terminated()) return 0;  // start-up already ended the program (a missing story)
  form.show();  // start-up finishes once the window is on the screen (TFormMain::FinishStartup)
  return app.Run();
}
