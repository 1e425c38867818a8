#include "platform/web/web_game.h"

#include "platform/web/web_host.h"
#include "rules/story/story_reload.h"

namespace game {

WebGame::~WebGame() { FormDestroy(); }

bool WebGame::Start(double seed) {
  FormCreate(seed);
  return services_.Terminated();
}

void WebGame::FormCreate(double seed) {
  std::optional<std::uint32_t> fixed;
  if (seed >= 0) fixed = static_cast<std::uint32_t>(static_cast<std::uint64_t>(seed));
  Show(session_.Start(picture_, *this, fixed));
}

int WebGame::Pass() {
  const int wait = session_.Pass();
  FinishCall();
  return wait;
}

void WebGame::BtnMainClick() { Show(session_.Next()); }

void WebGame::BtnLXClick() { Show(session_.Special()); }

int WebGame::Warp(const std::string& target, Language language) {
  const WarpOutcome warp = session_.WarpTo(target, language);
  said_ = warp.said;
  FinishCall();
  if (!warp.applied) return 2;
  return said_.empty() ? 0 : 1;
}

bool WebGame::Reload(bool story, bool frames, Language language) {
  const ReloadOutcome reload = session_.ReadSaved({.story = story, .frames = frames}, language);
  said_ = reload.said;
  Show(reload.outcome);
  return !said_.empty();
}

int WebGame::ReadingLine() {
  const MyScript& script = session_.Script();
  const int cursor = script.ScriptCursor();
  if (cursor <= 0) return 0;
  return PageStartAtOrBefore(script.Entries(), cursor - 1) + 1;
}

void WebGame::Show(const SessionOutcome& outcome) {
  if (outcome.button) {
    web_host::SetSpecialButton(outcome.button->caption, outcome.button->visible,
                               outcome.button->name);
  }
  if (outcome.miss) web_host::Notice(*outcome.miss);
  if (outcome.page) web_host::Announce(*outcome.page);
  FinishCall();
}

void WebGame::FinishCall() {
  if (!services_.Terminated() || ended_) return;
  ended_ = true;
  // The desktop closes its window here: the frames are released and the sound stops. The page
  // keeps the last picture.
  FormDestroy();
  web_host::Terminate();
}

}  // namespace game
