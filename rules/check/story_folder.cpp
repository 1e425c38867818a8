#include "rules/check/story_folder.h"

namespace game::check {
namespace {

constexpr std::string_view kGameFolder = "dat/";

}  // namespace

StoryFolder::StoryFolder(FileSystem& real, std::string folder)
    : real_(real), folder_(std::move(folder)) {
  while (folder_.size() > 1 && folder_.ends_with('/')) folder_.pop_back();
}

std::unique_ptr<InputFile> StoryFolder::OpenForReading(const std::string& game_path) {
  return real_.OpenForReading(RealPath(game_path));
}

std::string StoryFolder::RealPath(const std::string& game_path) const {
  if (!game_path.starts_with(kGameFolder)) return game_path;
  const std::string separator = folder_.ends_with('/') ? "" : "/";
  return folder_ + separator + game_path.substr(kGameFolder.size());
}

std::string StoryFolderFor(CheckServices& services, const std::string& folder) {
  std::string base = folder;
  while (base.size() > 1 && base.ends_with('/')) base.pop_back();
  if (!base.ends_with('/')) base += '/';
  if (services.KindOf(base + "story.txt") != PathKind::kMissing) return folder;
  if (services.KindOf(base + "dat/story.txt") == PathKind::kMissing) return folder;
  return base == "./" ? "dat" : base + "dat";
}

}  // namespace game::check
