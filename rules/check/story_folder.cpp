#include "rules/check/story_folder.h"

#include "rules/story/story_files.h"

namespace game::check {

StoryFolder::StoryFolder(FileSystem& real, std::string folder)
    : real_(real), folder_(std::move(folder)) {
  while (folder_.size() > 1 && folder_.ends_with('/')) folder_.pop_back();
}

std::unique_ptr<InputFile> StoryFolder::OpenForReading(const std::string& game_path) {
  return real_.OpenForReading(RealPath(game_path));
}

std::string StoryFolder::RealPath(const std::string& game_path) const {
  const std::string_view name = story_files::NameInFolder(game_path);
  if (name.size() == game_path.size()) return game_path;
  const std::string separator = folder_.ends_with('/') ? "" : "/";
  return folder_ + separator + std::string(name);
}

std::string StoryFolderFor(CheckServices& services, const std::string& folder) {
  std::string base = folder;
  while (base.size() > 1 && base.ends_with('/')) base.pop_back();
  if (!base.ends_with('/')) base += '/';
  const std::string dat = base + story_files::kGameFolder;
  const std::string story(story_files::NameInFolder(story_files::kStoryPath));
  const bool folder_has_story = services.KindOf(base + story) != PathKind::kMissing;
  const bool dat_has_story = services.KindOf(dat + "/" + story) != PathKind::kMissing;
  if (story_files::PlaceOfStory(folder_has_story, dat_has_story) ==
      story_files::StoryPlace::kFolderItself) {
    return folder;
  }
  return base == "./" ? story_files::kGameFolder : dat;
}

}  // namespace game::check
