#include "platform/window/data_folder.h"

#include "rules/story/story_files.h"

namespace game {

std::optional<std::string> MissingDataFolderNote(const std::filesystem::path& folder,
                                                 Language language) {
  std::error_code error;
  if (std::filesystem::is_directory(folder / story_files::kGameFolder, error)) return std::nullopt;
  const std::string where = folder.string();
  return "luxarim: " +
         Bilingual{"there is no dat/ folder in " + where +
                       ", where the game reads its story, pictures and sounds; start the "
                       "installed luxarim command, or start the game from the folder that holds "
                       "dat/",
                   where +
                       " には、ゲームが物語・絵・音を読む dat/ フォルダーがありません。インストール"
                       "した luxarim コマンドで起動するか、dat/ を含むフォルダーから起動してくだ"
                       "さい"}
             .In(language);
}

}  // namespace game
