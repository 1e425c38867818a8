#include "platform/window/story_watch.h"

#include <sys/stat.h>

#include <utility>

namespace game {
namespace {

std::int64_t Nanoseconds(const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; }

}  // namespace

StoryWatch::StoryWatch(const std::string& folder, std::string story,
                       std::vector<std::string> frames, std::function<void(Changes)> changed)
    : settling_(*this, std::move(story), std::move(frames)), changed_(std::move(changed)) {
  look_.setSingleShot(true);
  connect(&look_, &QTimer::timeout, this, [this] { Look(); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { Stirred(); });
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { Stirred(); });
  watcher_.addPath(QString::fromStdString(folder));
  WatchFiles();
}

FileStamp StoryWatch::StampOf(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {.exists = true,
          .inode = static_cast<std::uint64_t>(info.st_ino),
          .size = static_cast<std::int64_t>(info.st_size),
          .modified_ns = Nanoseconds(info.st_mtim),
          .changed_ns = Nanoseconds(info.st_ctim)};
}

void StoryWatch::WatchFiles() {
  // A file renamed over or removed drops out of the watch: watch whatever is there now.
  const QStringList watched = watcher_.files();
  for (const std::string& path : settling_.Paths()) {
    const QString name = QString::fromStdString(path);
    if (StampOf(path).exists && !watched.contains(name)) watcher_.addPath(name);
  }
}

void StoryWatch::Stirred() {
  settling_.Stirred(clock_.NowMs());
  LookWhenDue();
}

void StoryWatch::Look() {
  const SavedChanges changes = settling_.Look(clock_.NowMs());
  WatchFiles();
  LookWhenDue();
  if (changes.Any()) changed_(changes);
}

void StoryWatch::LookWhenDue() {
  const std::optional<std::int32_t> due = settling_.LookDueIn(clock_.NowMs());
  if (due) look_.start(std::max(*due, 0));
}

}  // namespace game
