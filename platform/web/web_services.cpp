#include "platform/web/web_services.h"

#include "platform/web/web_host.h"
#include "rules/story/game_texts.h"

namespace game {

void WebServices::ShowMessage(const std::string& caption, const std::string& text) {
  web_host::MessageBox(text, caption, false);
}

void WebServices::ShowError(const std::string& text) {
  web_host::MessageBox(text, kGameShortNameText, true);
}

void WebServices::PlayFile(const std::string& path, bool loop) { web_host::PlaySound(path, loop); }

void WebServices::StopAll() { web_host::StopSounds(); }

}  // namespace game
