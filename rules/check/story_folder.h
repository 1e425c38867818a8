// The folder being checked, standing where the game reads "dat": the game's own paths
// ("dat/story.txt", "dat/a0.bmp", ...) are read under it, so every reader of the game reads it
// unchanged, and findings name the files under the folder as the author gave it.
#pragma once

#include <memory>
#include <string>

#include "rules/check/check_services.h"
#include "rules/contracts/file_system.h"

namespace game::check {

class StoryFolder : public FileSystem {
 public:
  // `real` must outlive the folder. Trailing '/' of `folder` are dropped (not from "/" itself).
  StoryFolder(FileSystem& real, std::string folder);

  // Opens RealPath(game_path).
  std::unique_ptr<InputFile> OpenForReading(const std::string& game_path) override;

  // "dat/NAME" as NAME under the folder ("dat/story.txt" -> "stories/one/story.txt"); any other
  // path unchanged.
  std::string RealPath(const std::string& game_path) const;
  const std::string& Folder() const { return folder_; }

 private:
  FileSystem& real_;
  std::string folder_;
};

// The folder that stands where the game reads "dat" for the folder an author names, by the rule
// the web page follows too (story_files::PlaceOfStory): the folder itself when it holds story.txt,
// else its "dat" subfolder when that holds one (the folder the game starts in), else the folder.
std::string StoryFolderFor(CheckServices& services, const std::string& folder);

}  // namespace game::check
