// The program entry: the application, its one window, and the message loop.
#include <iostream>

#include "qt/game_app.h"
#include "qt/key_filter.h"
#include "window/app_identity.h"
#include "window/command_line.h"
#include "window/unit_form.h"

int main(int argc, char** argv) {
  if (const auto status = game::HandleCommandLine(argc, argv, std::cout, std::cerr)) return *status;
  // The window is laid out in pixels at 96 dots per inch and is not scaled with the screen.
  if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  }
  game::GameApplication app(argc, argv, game::kGameShortName);
  app.setWindowIcon(game::GameIcon());
  game::MenuKeyFilter menu_keys;
  app.installEventFilter(&menu_keys);

  game::TFormMain form(app);
  form.FinishStartup();
  if (app.Terminated()) return 0;  // start-up already ended the program (a missing story)
  form.show();
  return app.Run();
}
