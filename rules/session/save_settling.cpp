#include "rules/session/save_settling.h"

#include <utility>

namespace game {

SaveSettling::SaveSettling(FileStamps& stamps, std::string story, std::vector<std::string> frames)
    : stamps_(stamps), story_(std::move(story)) {
  paths_.push_back(story_);
  paths_.insert(paths_.end(), frames.begin(), frames.end());
  reported_ = TakeStamps();
}

SaveSettling::Stamps SaveSettling::TakeStamps() const {
  Stamps now;
  for (const std::string& path : paths_) now[path] = stamps_.StampOf(path);
  return now;
}

void SaveSettling::Stirred(std::int32_t now) {
  seen_ = TakeStamps();
  seen_at_ = now;
}

std::optional<std::int32_t> SaveSettling::LookDueIn(std::int32_t now) const {
  if (!seen_at_) return std::nullopt;
  return kQuietMs - static_cast<std::int32_t>(static_cast<std::uint32_t>(now) -
                                              static_cast<std::uint32_t>(*seen_at_));
}

SavedChanges SaveSettling::Look(std::int32_t now) {
  const std::optional<std::int32_t> due = LookDueIn(now);
  if (!due || *due > 0) return {};
  Stamps current = TakeStamps();
  if (current != seen_) {
    // Still being written: wait for it to keep still.
    seen_ = std::move(current);
    seen_at_ = now;
    return {};
  }
  seen_at_.reset();
  SavedChanges changes;
  for (const std::string& path : paths_) {
    if (current[path] == reported_[path]) continue;
    (path == story_ ? changes.story : changes.frames) = true;
  }
  reported_ = std::move(current);
  return changes;
}

}  // namespace game
