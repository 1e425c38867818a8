// The game in the browser: owns the units as the desktop's window does, runs the start-up in the
// desktop's order and maps the page's calls (exports.cpp) to the rules. Every call runs its body
// through the per-message error report. Holds no rules of its own.
#pragma once

#include "platform/posix/posix_file_system.h"
#include "platform/web/web_clock.h"
#include "platform/web/web_picture.h"
#include "platform/web/web_services.h"
#include "rules/clock/my_time.h"
#include "rules/contracts/random.h"
#include "rules/script/my_script.h"
#include "rules/sound/my_wave.h"
#include "rules/story/special_move.h"
#include "rules/story/unit_story.h"
#include "rules/text/sjis_decoder.h"

namespace game {

class WebGame : public MessagePoster {
 public:
  // Nothing runs yet: Start does.
  WebGame() = default;
  ~WebGame() override;  // releases the frames and stops the sound

  // The start-up: the generator seeded (from the time of day when `seed` is negative), the
  // clock, the sound, the render slot, the frames, the special button, the story; each failure is
  // shown in the error report. Then the page is announced. Returns whether termination has been
  // requested.
  bool Start(double seed);
  // One pass of the clock. Returns the milliseconds until the next slot is due, or -1 once
  // termination was requested or an error stopped the clock.
  int Pass();
  // The Next button, then the page announced.
  void Next();
  // The special-move button, then the button updated and the page announced when it changed.
  void Special();
  std::int32_t Portrait() { return picture_.PortraitIndex(); }

  // The clock has nowhere to post its start message: the page drives the passes.
  void PostPrivateMessage(int) override {}

 private:
  void FormCreate();
  void FormDestroy();
  void BtnMainClick();
  // Whether the special move missed (answered no trap).
  bool BtnLXClick();
  void UpdateSpecialButton();
  void AnnouncePage(bool even_if_unchanged);
  // After each call from the page: tells the page once that the game has ended.
  void FinishCall();

  WebServices services_;
  WebClock clock_;
  PosixFileSystem files_;
  SjisTextDecoder decoder_;
  Random random_;
  MyTime time_{clock_, services_, services_};
  MyWave wave_{services_};
  MyScript script_{files_, services_, services_};
  UnitStory story_{script_, services_, services_, decoder_};
  SpecialMove special_;
  WebPicture picture_{random_, story_, files_, decoder_};
  std::string announced_;
  bool clock_stopped_ = false;
  bool ended_ = false;
};

}  // namespace game
