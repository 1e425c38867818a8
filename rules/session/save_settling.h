// When a save of the story or a frame has settled (the author's preview, --watch). An editor's save
// comes as several changes, and some editors truncate the file, pause and write it again: a file
// is read only once it has stopped changing. After each change in the folder the files' stamps are
// taken; kQuietMs later they are taken again, and only when every file is then as it was (the same
// size, times and inode twice, with no change in between) are the files that differ from the ones
// last read reported, once. Otherwise the look is put off by another kQuietMs.
//
// The times are the caller's milliseconds (a MillisecondClock reading); nothing here waits.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "rules/contracts/file_stamps.h"

namespace game {

// Which of the watched files were saved anew.
struct SavedChanges {
  bool story = false;   // the story file changed, went or came
  bool frames = false;  // one of the frames did
  bool Any() const { return story || frames; }
  bool operator==(const SavedChanges&) const = default;
};

class SaveSettling {
 public:
  static constexpr std::int32_t kQuietMs = 300;

  // `story` and `frames` are the paths as the game opens them; their stamps now are taken as the
  // ones the game has read. `stamps` must outlive the settling.
  SaveSettling(FileStamps& stamps, std::string story, std::vector<std::string> frames);

  // Something in the watched folder changed at `now`.
  void Stirred(std::int32_t now);
  // Milliseconds from `now` until Look is due (0 or less: due now); nothing when no look waits.
  std::optional<std::int32_t> LookDueIn(std::int32_t now) const;
  // Looks at the files at `now`. When the look is due and every file is as it was at the last stir
  // or look, returns what differs from the files last reported, which they now are, and no look
  // waits any more. Otherwise returns nothing changed and the look waits (again) kQuietMs.
  SavedChanges Look(std::int32_t now);

  const std::vector<std::string>& Paths() const { return paths_; }

 private:
  using Stamps = std::map<std::string, FileStamp>;
  Stamps TakeStamps() const;

  FileStamps& stamps_;
  std::string story_;
  std::vector<std::string> paths_;  // the story, then the frames
  Stamps reported_;
  Stamps seen_;
  std::optional<std::int32_t> seen_at_;  // when seen_ was taken, while a look waits
};

}  // namespace game
