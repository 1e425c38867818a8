// Watches the story folder for the author's saves (--watch): the story file and the portrait
// frames. Editors save in place or by writing a new file and renaming it over the old one, and
// some move the old file away first: the folder itself is watched, so that a file that went and
// came back is seen, and each file as well, so that a save in place is seen.
//
// A save often comes as several changes (truncate, write, rename), and some editors pause between
// them: each change is handed to the rules' SaveSettling (rules/session/save_settling.h), which
// says when to look again and, once the files have kept still, which of them were saved anew; the
// watch then reports them, once. Runs on the window system's thread, from its event loop (the
// frame clock's pumping included).
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "platform/posix/steady_clock.h"
#include "rules/contracts/file_stamps.h"
#include "rules/session/save_settling.h"

namespace game {

class StoryWatch : public QObject, private FileStamps {
 public:
  using Changes = SavedChanges;

  // Starts watching `folder`; `story` and `frames` are paths inside it, as the game opens them
  // (relative to the current folder). `changed` is called after each settled save.
  StoryWatch(const std::string& folder, std::string story, std::vector<std::string> frames,
             std::function<void(Changes)> changed);

 private:
  FileStamp StampOf(const std::string& path) override;
  void Stirred();
  void Look();
  void LookWhenDue();
  void WatchFiles();

  SteadyClock clock_;
  SaveSettling settling_;
  std::function<void(Changes)> changed_;
  QFileSystemWatcher watcher_;
  QTimer look_;
};

}  // namespace game
