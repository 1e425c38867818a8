// The program's one window: a fixed 500 by 300 picture panel with the Next and special-move
// buttons. It owns the game's units, runs the start-up in its fixed order, hosts the main loop
// and maps the buttons to the rules; it holds no rules of its own.
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
#include "rules/clock/my_time.h"
#include "rules/contracts/random.h"
#include "rules/script/my_script.h"
#include "rules/sound/my_wave.h"
#include "rules/story/special_move.h"
#include "rules/story/unit_story.h"
#include "rules/text/sjis_decoder.h"

namespace game {

// The author's preview (command_line.h): where reading starts, and whether the story folder is
// watched.
struct PreviewOptions {
  std::optional<check::WarpPlan> warp;  // a plan that was not refused
  bool watch = false;
};

class TFormMain : public QWidget, public MessagePoster {
 public:
  // Builds the window from its design-time layout and runs FormCreate. With `options.low_power`
  // the main loop rests between passes (MyTime::SetMessageWait). With a warp, reading then starts
  // at its entry with its flags (when the story loaded that far); with the watch, each save of the
  // story or a frame is read anew (ReloadSaved) for as long as the window lives.
  explicit TFormMain(GameApplication& app, const GameOptions& options = {},
                     PreviewOptions preview = {});
  ~TFormMain() override;  // runs FormDestroy

  // Start-up has returned: the clock's start message may now enter the loop. The window calls it
  // itself when it is first exposed on the screen: the loop spins without a pause, and until then
  // it would only take the processor from the X server and the window manager that are putting
  // the window up (the render slot first fires 51 ms after start-up, well after that).
  void FinishStartup();

  void PostPrivateMessage(int message) override;

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
  void UpdateSpecialButton();
  // Hands the page to assistive technology, which announces it (accessibility.h); a page that
  // reads as the one before only when `even_if_unchanged`.
  void ExposePage(bool even_if_unchanged);
  void RunClockReported();
  void StartAtWarp();
  // The story saved anew: the new table and reading on from the same place, or, when it does not
  // load, the old one goes on; either way a report on standard error and no message box. Frames
  // saved anew are loaded again (one that fails is drawn blank, and said on standard error).
  void ReloadSaved(StoryWatch::Changes changes);
  void ReloadStory();
  void ReloadFrames();

  GameApplication& app_;
  SteadyClock clock_;
  PosixFileSystem files_;
  SjisTextDecoder decoder_;
  Random random_;
  MyTime time_{clock_, app_, app_};
  QtMessageWait rest_;
  DeferredSoundOutput speaker_;  // made when the special move is about to be used
  MyWave wave_{speaker_};
  MyScript script_{files_, app_, app_};
  UnitStory story_{script_, app_, app_, decoder_};
  SpecialMove special_;
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
