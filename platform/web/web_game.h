// The game in the browser: the game session (rules/session/game_session.h) owns the units and
// runs the start-up; this host maps the page's calls (exports.cpp) to it, paints through its
// WebPicture and shows what the session returns through the page's host functions. Holds no rules
// of its own.
#pragma once

#include <string>

#include "platform/posix/posix_file_system.h"
#include "platform/web/web_clock.h"
#include "platform/web/web_picture.h"
#include "platform/web/web_services.h"
#include "rules/session/game_session.h"

namespace game {

class WebGame : public SessionWindow {
 public:
  // Nothing runs yet: Start does.
  WebGame() = default;
  ~WebGame() override;  // releases the frames and stops the sound

  // The start-up (FormCreate), with the generator seeded from the time of day when `seed` is
  // negative; each failure is shown in the error report. Then the page is announced. Returns
  // whether termination has been requested.
  bool Start(double seed);
  // One pass of the clock. Returns the milliseconds until the next slot is due, or -1 once
  // termination was requested or an error stopped the clock.
  int Pass();
  // The Next button (BtnMainClick), then the page announced.
  void Next() { BtnMainClick(); }
  // The special-move button (BtnLXClick), then the button updated and the page announced when it
  // changed.
  void Special() { BtnLXClick(); }
  std::int32_t Portrait() { return picture_.PortraitIndex(); }

  // The author's preview: reading starts at TARGET (a label or a line of the story). Returns 0
  // when it does, 1 when it does with a warning (no way reaches TARGET), 2 when TARGET names no
  // place; Said() then holds the warning or the refusal.
  int Warp(const std::string& target, Language language);
  // The author's preview: the story and/or the frames were saved anew in the module's file
  // system. Returns whether anything was read; Said() then holds what the desktop writes on its
  // standard error.
  bool Reload(bool story, bool frames, Language language);
  const std::string& Said() const { return said_; }
  // Where the page on screen starts: the line (from 1) of the story file of the page start at or
  // before the last line read, 0 before anything was read.
  int ReadingLine();

  // The clock has nowhere to post its start message: the page drives the passes.
  void PostPrivateMessage(int) override {}

 private:
  void FormCreate(double seed);
  void FormDestroy() { session_.Destroy(); }
  void BtnMainClick();
  void BtnLXClick();
  // Carries out what the session returned, then tells the page once that the game has ended.
  void Show(const SessionOutcome& outcome);
  void FinishCall();

  WebServices services_;
  WebClock clock_;
  PosixFileSystem files_;
  GameSession session_{{clock_, services_, services_, services_, services_, services_, files_}};
  WebPicture picture_{session_.RandomGenerator(), session_.Story(), files_, session_.Decoder()};
  std::string said_;
  bool ended_ = false;
};

}  // namespace game
