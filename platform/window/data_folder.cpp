#include "window/data_folder.h"

namespace game {

std::optional<std::string> MissingDataFolderNote(const std::filesystem::path& folder) {
  std::error_code error;
  if (std::filesystem::is_directory(folder / "dat", error)) return std::nullopt;
  return "luxarim: there is no dat/ folder in " + folder.string() +
         ", where the game reads its story, pictures and sounds; start the installed luxarim "
         "command, or start the game from the folder that holds dat/";
}

}  // namespace game
