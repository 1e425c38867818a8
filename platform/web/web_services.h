// The outside world of the game in the browser, over the page's host functions: message boxes
// and the error report (the page's modal dialog; the game goes on at once, as if the box had been
// closed, and the page shows boxes one after another), the termination request, the message
// pump (the browser dispatches its own events between calls into the game: nothing to do) and the
// sound output (the page plays; which sound and when is the rules' choice).
#pragma once

#include "rules/contracts/error_dialog.h"
#include "rules/contracts/message_boxes.h"
#include "rules/contracts/message_pump.h"
#include "rules/contracts/sound_output.h"
#include "rules/contracts/termination.h"

namespace game {

class WebServices : public Termination,
                    public MessagePump,
                    public MessageBoxes,
                    public ErrorDialog,
                    public SoundOutput {
 public:
  // Only records the request: the game tells the page once the entry point that made it is done
  // (WebGame), as the desktop closes its window once the handler has returned.
  void RequestTermination() override { terminated_ = true; }
  bool Terminated() const override { return terminated_; }

  void ProcessMessages() override {}

  void ShowMessage(const std::string& caption, const std::string& text) override;
  // A stop-icon box captioned with the application's short title.
  void ShowError(const std::string& text) override;

  void PlayFile(const std::string& path, bool loop) override;
  void StopAll() override;

 private:
  bool terminated_ = false;
};

}  // namespace game
