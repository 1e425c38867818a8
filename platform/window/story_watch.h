// Watches the story folder for the author's saves (--watch): the story file and the portrait
// frames. Editors save in place or by writing a new file and renaming it over the old one, and
// some move the old file away first: the folder itself is watched, so that a file that went and
// came back is seen, and each file as well, so that a save in place is seen.
//
// A save often comes as several changes (truncate, write, rename): the watch waits until the
// folder has been quiet for kQuietMs, then compares each file with what it was (its inode, size,
// modification and change times) and reports what differs, once. Runs on the window system's
// thread, from its event loop (the frame clock's pumping included).
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace game {

class StoryWatch : public QObject {
 public:
  static constexpr int kQuietMs = 30;

  struct Changes {
    bool story = false;   // the story file changed, went or came
    bool frames = false;  // one of the frames did
  };

  // Starts watching `folder`; `story` and `frames` are paths inside it, as the game opens them
  // (relative to the current folder). `changed` is called after each quiet save.
  StoryWatch(const std::string& folder, std::string story, std::vector<std::string> frames,
             std::function<void(Changes)> changed);

 private:
  // What a file is on the disk, to tell a new save from an unchanged file.
  struct Stamp {
    bool exists = false;
    unsigned long long inode = 0;
    long long size = 0;
    long long modified_ns = 0;
    long long changed_ns = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const std::string& path);

  void Settle();
  bool Changed(const std::string& path);
  void WatchFiles();

  std::string story_;
  std::vector<std::string> frames_;
  std::function<void(Changes)> changed_;
  std::map<std::string, Stamp> stamps_;
  QFileSystemWatcher watcher_;
  QTimer quiet_;
};

}  // namespace game
