// The program's one window: a fixed 500 by 300 picture panel with the Next and special-move
// buttons. The game session (rules/session/game_session.h) owns the game's units and runs the
// start-up; the window hosts it: it maps the buttons to the session, paints the picture (UnitBmp)
// and shows what the session returns. It holds no rules of its own.
#pragma once

#include <QPushButton>
#include <QWidget>
#include <memory>
#include <optional>

#include "platform/audio/deferred_sound_output.h"
#include "platform/graphics/unit_bmp.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/steady_clock.h"
#include "platform/qt/game_app.h"
#include "platform/qt/qt_message_wait.h"
#include "platform/window/command_line.h"
#include "platform/window/paint_box.h"
#include "platform/window/spoken_text.h"
#include "platform/window/startup_gate.h"
#include "platform/window/story_watch.h"
#include "rules/check/warp.h"
#include "rules/session/game_session.h"

namespace game {

// The author's preview (command_line.h): where reading starts, and whether the story folder is
// watched.
struct PreviewOptions {
  std::optional<check::WarpPlan> warp;  // a plan that was not refused
  bool watch = false;
};

class TFormMain : public QWidget, public SessionWindow {
 public:
  // Builds the window from its design-time layout and runs FormCreate. With `options.low_power`
  // the main loop rests between passes (MyTime::SetMessageWait). With a warp, reading then starts
  // at its entry with its flags (when the story loaded that far); with the watch, each settled
  // save of the story or a frame is read anew (ReloadSaved) for as long as the window lives.
  explicit TFormMain(GameApplication& app, const GameOptions& options = {},
                     PreviewOptions preview = {});
  ~TFormMain() override;  // runs FormDestroy

  // Start-up has returned: the clock's start message may now enter the loop. The window calls it
  // itself when it is first exposed on the screen: the loop spins without a pause, and until then
  // it would only take the processor from the X server and the window manager that are putting
  // the window up (the render slot first fires 51 ms after start-up, well after that).
  void FinishStartup();

  void PostPrivateMessage(int message) override;
  // The start-up's window steps (GameSession::Start).
  void SizeAndCentre() override;
  void PlacePage() override { PlacePage(PageMain, true); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void FormCreate();
  void FormDestroy();
  void CentreOnScreen();
  void CentreOnceFramed();
  void PlacePage(QWidget* page, bool visible);
  void BtnMainClick();
  void BtnLXClick();
  // Carries out what the session returned: the button, the miss's notice, and the page handed to
  // assistive technology, which announces it (accessibility.h).
  void Show(const SessionOutcome& outcome);
  void UpdateSpecialButton(const SpecialButtonView& button);
  // The story or frames saved anew (GameSession::ReadSaved); what it says goes to standard error.
  void ReloadSaved(SavedChanges changes);

  GameApplication& app_;
  SteadyClock clock_;
  PosixFileSystem files_;
  QtMessageWait rest_;
  DeferredSoundOutput speaker_;  // made when the special move is about to be used
  GameSession session_{{clock_, app_, app_, app_, app_, speaker_, files_}};
  std::optional<UnitBmp> bmp_;  // made as soon as its paint box exists

  QWidget* PageMain = nullptr;
  PaintBox* PntMain = nullptr;
  QPushButton* BtnMain = nullptr;
  QPushButton* BtnLX = nullptr;
  SpokenNotice* miss_notice_ = nullptr;  // under BtnLX: says what a miss did (accessibility.h)

  PreviewOptions preview_;
  std::unique_ptr<StoryWatch> watch_;
  StartupGate gate_;
  bool framed_ = false;
};

}  // namespace game
