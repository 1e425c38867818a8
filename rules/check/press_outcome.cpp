#include "rules/check/press_outcome.h"

namespace game::check {

void NotedMessages::ShowMessage(const std::string& /*caption*/, const std::string& text) {
  texts_.push_back(text);
}

void UnheardSounds::PlayFile(const std::string& /*path*/, bool /*loop*/) {}

std::string PressOutcome::FirstMessage() const {
  return messages.Texts().empty() ? "" : messages.Texts().front();
}

}  // namespace game::check
