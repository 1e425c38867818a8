#include "platform/window/story_watch.h"

#include <sys/stat.h>

#include <utility>

namespace game {
namespace {

long long Nanoseconds(const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; }

}  // namespace

StoryWatch::StoryWatch(const std::string& folder, std::string story,
                       std::vector<std::string> frames, std::function<void(Changes)> changed)
    : story_(std::move(story)), frames_(std::move(frames)), changed_(std::move(changed)) {
  quiet_.setSingleShot(true);
  quiet_.setInterval(kQuietMs);
  connect(&quiet_, &QTimer::timeout, this, [this] { Settle(); });
  const auto wait = [this] { quiet_.start(); };  // (re)starts the quiet period
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, wait);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, wait);
  watcher_.addPath(QString::fromStdString(folder));
  stamps_[story_] = StampOf(story_);
  for (const std::string& frame : frames_) stamps_[frame] = StampOf(frame);
  WatchFiles();
}

StoryWatch::Stamp StoryWatch::StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {.exists = true,
          .inode = static_cast<unsigned long long>(info.st_ino),
          .size = static_cast<long long>(info.st_size),
          .modified_ns = Nanoseconds(info.st_mtim),
          .changed_ns = Nanoseconds(info.st_ctim)};
}

void StoryWatch::WatchFiles() {
  // A file renamed over or removed drops out of the watch: watch whatever is there now.
  const QStringList watched = watcher_.files();
  for (const auto& [path, stamp] : stamps_) {
    const QString name = QString::fromStdString(path);
    if (stamp.exists && !watched.contains(name)) watcher_.addPath(name);
  }
}

bool StoryWatch::Changed(const std::string& path) {
  const Stamp now = StampOf(path);
  if (now == stamps_[path]) return false;
  stamps_[path] = now;
  return true;
}

void StoryWatch::Settle() {
  Changes changes;
  changes.story = Changed(story_);
  for (const std::string& frame : frames_) changes.frames = Changed(frame) || changes.frames;
  WatchFiles();
  if (changes.story || changes.frames) changed_(changes);
}

}  // namespace game
