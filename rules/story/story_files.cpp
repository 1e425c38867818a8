#include "rules/story/story_files.h"

namespace game::story_files {

std::string FramePath(int index) {
  return std::string(kGameFolder) + "/a" + std::to_string(index) + ".bmp";
}

std::string_view NameInFolder(std::string_view game_path) {
  const std::string_view folder = kGameFolder;
  if (game_path.size() <= folder.size() || !game_path.starts_with(folder) ||
      game_path[folder.size()] != '/') {
    return game_path;
  }
  return game_path.substr(folder.size() + 1);
}

const std::vector<std::string>& FramePaths() {
  static const std::vector<std::string> paths = [] {
    std::vector<std::string> list;
    for (int i = 0; i < kFrameCount; ++i) list.push_back(FramePath(i));
    return list;
  }();
  return paths;
}

const std::vector<std::string>& FilePaths() {
  static const std::vector<std::string> paths = [] {
    std::vector<std::string> list{kStoryPath};
    list.insert(list.end(), FramePaths().begin(), FramePaths().end());
    list.emplace_back(kRisingSoundPath);
    list.emplace_back(kMissSoundPath);
    return list;
  }();
  return paths;
}

StoryPlace PlaceOfStory(bool folder_has_story, bool dat_has_story) {
  return !folder_has_story && dat_has_story ? StoryPlace::kDatFolder : StoryPlace::kFolderItself;
}

}  // namespace game::story_files
