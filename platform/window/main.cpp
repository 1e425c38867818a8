// The program entry: the application, its one window, and the message loop.
#include "qt/game_app.h"
#include "qt/key_filter.h"
#include "window/app_identity.h"
#include "window/unit_form.h"

int main(int argc, char** argv) {
  // The window is laid out in pixels at 96 dots per inch and is not scaled with the screen.
  if (!qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING")) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  }
  game::GameApplication app(argc, argv, game::kGameShortName);
  app.setWindowIcon(game::GameIcon());
  game::MenuKeyFilter menu_keys;
  app.installEventFilter(&menu_keys);

  game::TFormMain form(app);
  if (app.Terminated()) return 0;  // start-up already ended the program (a missing story)
  form.show();  // start-up finishes once the window is on the screen (TFormMain::FinishStartup)
  return app.Run();
}
