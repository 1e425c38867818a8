// The game as one object: it owns the units (MyTime, MyScript, UnitStory, SpecialMove, MyWave, the
// decoder, the random generator), runs the window's start-up in its fixed order and offers what a
// host (the desktop window, the web page) needs: start, the clock, Next, the special move, a start
// at a chosen place, and reading the story and the frames anew when the author saves them.
//
// An operation returns what it did for the host to show (the page and its readable text, the
// special button, a miss, the end), the way a move in a board game returns its outcome. Where a
// step needs a message box or a sound in the middle, the session calls the platform's contracts
// itself. Every operation runs its body through the per-message error report (error_report.h),
// as the window system's handlers do: an error abandons the rest of that operation only.
//
// The picture stays the host's (it paints on its own surface); the session reaches it through
// SessionPicture and registers its render callback in the clock itself.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "rules/check/warp.h"
#include "rules/clock/my_time.h"
#include "rules/contracts/error_dialog.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/message_boxes.h"
#include "rules/contracts/message_poster.h"
#include "rules/contracts/random.h"
#include "rules/contracts/sound_output.h"
#include "rules/locale/language.h"
#include "rules/script/my_script.h"
#include "rules/session/saved_files.h"
#include "rules/session/session_picture.h"
#include "rules/sound/my_wave.h"
#include "rules/story/special_move.h"
#include "rules/story/unit_story.h"
#include "rules/text/sjis_decoder.h"

namespace game {

// The clock slot of the picture's render callback and its interval: the picture is drawn on the
// first pass more than 50 ms after the last.
inline constexpr int kRenderSlot = 0;
inline constexpr std::int32_t kRenderIntervalMs = 50;

// The host's window as the start-up uses it: the clock's start message is posted to it. A host
// without a window (the web page) leaves the window steps empty.
class SessionWindow : public MessagePoster {
 public:
  // Sets the client area to 500 by 300 and centres the window on the screen.
  virtual void SizeAndCentre() {}
  // Places the picture panel at (0, 0), 500 by 300, and shows it.
  virtual void PlacePage() {}
};

// The outside world of a session; each must outlive it.
struct SessionServices {
  MillisecondClock& clock;
  MessagePump& pump;
  Termination& termination;
  MessageBoxes& boxes;
  ErrorDialog& errors;
  SoundOutput& sound;
  FileSystem& files;
};

// The special-move button as it should show, in UTF-8.
struct SpecialButtonView {
  bool visible = true;
  std::string caption;  // "★７"
  std::string name;     // for assistive technology: "必殺技ルクサリム（残り7回）"
  bool operator==(const SpecialButtonView&) const = default;
};

// What an operation did, for the host to show.
struct SessionOutcome {
  // The page to hand to assistive technology: its readable text (ReadablePage), when the page is
  // new or is to be read out again.
  std::optional<std::string> page;
  // The special button's new state, when the operation set it.
  std::optional<SpecialButtonView> button;
  // A special move that answered no trap: what a screen reader says ("はずれ。残り6回").
  std::optional<std::string> miss;
  int uses_left = SpecialMove::kUses;
  // Termination has been requested (by this operation or before).
  bool end_requested = false;
};

// A start at a chosen place (--warp), planned or refused.
struct WarpOutcome {
  bool applied = false;  // reading now starts at the plan's entry with its flags
  std::string said;      // the refusal or the warning, one line each, or empty
};

// What reading saved files anew did.
struct ReloadOutcome {
  std::string said;        // the lines for the author (standard error), each ending in '\n'
  SessionOutcome outcome;  // a start-up that went on may have set the button or ended the game
};

class GameSession {
 public:
  explicit GameSession(const SessionServices& services);
  // The host calls Destroy while its picture still exists: the session does not.
  ~GameSession() = default;

  GameSession(const GameSession&) = delete;
  GameSession& operator=(const GameSession&) = delete;

  // The start-up (FormCreate), in this order: seed the generator (from the time of day without
  // `seed`); size and centre the window; StartClock(window); SoundInit; the render slot;
  // PlacePage; InitGraphics; the special button; LoadStory. A step that fails is shown by the
  // error report and skips the steps after it (ReadSaved may take them up later). Returns the
  // button (when its step ran) and the page, to be read out in any case.
  SessionOutcome Start(SessionPicture& picture, SessionWindow& window,
                       std::optional<std::uint32_t> seed = std::nullopt);
  // Releases the frames, then stops the sound (FormDestroy). Runs once; later calls do nothing.
  void Destroy();

  // The clock's loop, until termination (the desktop); an error from a slot ends it and is shown.
  void RunClock();
  // One pass of the clock (a host driven by its own event loop). Returns the milliseconds until
  // the next pass is due (at most kRenderIntervalMs + 1), or -1 once termination was requested or
  // an error stopped the clock.
  int Pass();
  void SetMessageWait(MessageWait* wait) { time_.SetMessageWait(wait); }

  // The Next button (BtnMainClick): one step; the page is read out even when it reads as before.
  SessionOutcome Next();
  // The special-move button (BtnLXClick): one use, the button updated, the trap answered or the
  // miss sound; the page is read out only when it changed.
  SessionOutcome Special();

  // Reading starts at the planned entry with its flags, when the story loaded that far.
  WarpOutcome StartAt(const check::WarpPlan& plan);
  // Plans the start at TARGET (a label or a line of the story file as it is on the disk, so read
  // a saved story anew first; check/warp.h) and applies it.
  WarpOutcome WarpTo(const std::string& target, Language language);

  // The author saved the story or frames (`changes`): reads them anew as saved_files.h says, or,
  // when the start-up stopped at a step, takes the start-up up again from that step once the
  // frames read (the story then plays from its first page). Says what it did in `language`; a
  // file that does not load shows no box (only a story file gone altogether at the start-up's
  // last step shows the start-up's own message and ends the game, as at start).
  ReloadOutcome ReadSaved(SavedChanges changes, Language language);

  // Whether the start-up ran to its end.
  bool Started() const;

  Random& RandomGenerator() { return random_; }
  TextDecoder& Decoder() { return decoder_; }
  MyTime& Time() { return time_; }
  MyScript& Script() { return script_; }
  UnitStory& Story() { return story_; }

 private:
  void RunStartupStep(int step);
  void RunStartup();
  void UpdateSpecialButton();
  void ReadOutPage(bool even_if_unchanged, SessionOutcome& outcome);
  SessionOutcome Finish(SessionOutcome outcome);
  ReloadOutcome GoOnWithStartup(Language language);

  ErrorDialog& errors_;
  Termination& termination_;
  FileSystem& files_;
  MillisecondClock& clock_;
  SjisTextDecoder decoder_;
  Random random_;
  MyTime time_;
  MyWave wave_;
  MyScript script_;
  UnitStory story_;
  SpecialMove special_;
  SessionPicture* picture_ = nullptr;
  SessionWindow* window_ = nullptr;
  std::optional<std::uint32_t> seed_;
  int next_step_ = 0;  // the first start-up step not yet done
  std::optional<SpecialButtonView> button_set_;
  std::string read_out_;  // the page last handed to assistive technology
  bool clock_stopped_ = false;
  bool destroyed_ = false;
};

}  // namespace game
