// What one press of the game's buttons does to the world outside the rules, when the checker
// presses it: the message boxes it shows are noted, not shown; the end it requests is noted, and
// the game goes on; the sounds it plays are let go unheard. The walk hands these to the game's
// own units (MyScript, UnitStory, MyWave) in place of the window, the application and the sound
// output, and reads them after each press.
#pragma once

#include <string>
#include <vector>

#include "rules/contracts/message_boxes.h"
#include "rules/contracts/sound_output.h"
#include "rules/contracts/termination.h"

namespace game::check {

// The texts of the message boxes a press shows, in order.
class NotedMessages : public MessageBoxes {
 public:
  void ShowMessage(const std::string& caption, const std::string& text) override;
  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::vector<std::string> texts_;
};

// Whether a press asked the game to end.
class NotedEnd : public Termination {
 public:
  void RequestTermination() override { requested_ = true; }
  bool Terminated() const override { return requested_; }

 private:
  bool requested_ = false;
};

// The sounds a press plays: nobody hears them, and nothing is kept.
class UnheardSounds : public SoundOutput {
 public:
  void PlayFile(const std::string& path, bool loop) override;
  void StopAll() override {}
};

// The outside world of one press.
struct PressOutcome {
  NotedMessages messages;
  NotedEnd end;
  UnheardSounds sounds;
  // Forgets the last press: no message shown, no end requested.
  void Clear() { *this = PressOutcome(); }
  // The text of the first message box the press showed, empty when it showed none.
  std::string FirstMessage() const;
};

}  // namespace game::check
