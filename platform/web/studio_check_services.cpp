#include "platform/web/studio_check_services.h"

#include <dirent.h>
#include <emscripten.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "rules/scene/unit_scene.h"
#include "rules/story/story_files.h"
#include "rules/text/sjis_decoder.h"
#include "rules/text/sjis_encoder.h"

// The page's measure of a line (UTF-8) in the game's face, in pixels: Module.studioLineWidth.
EM_JS(int, studio_line_width, (const char* utf8),
      { return Module.studioLineWidth ? Module.studioLineWidth(UTF8ToString(utf8)) : 0; });

namespace game::check {
namespace {

class StudioCheckServices : public CheckServices {
 public:
  PathKind KindOf(const std::string& path) override {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) return PathKind::kMissing;
    if (S_ISREG(status.st_mode)) return PathKind::kRegularFile;
    return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kOther;
  }

  bool IsCp932(std::string_view sjis) override { return IsCp932Text(sjis); }

  bool HasCp932Form(std::string_view utf8) override {
    return Utf32ToSjis(Utf8ToUtf32(utf8)).unencodable.empty();
  }

  int LineWidth(std::string_view sjis) override {
    return studio_line_width(SjisToUtf8(sjis).c_str());
  }

  std::optional<std::string> SoundProblem(const std::string&) override { return std::nullopt; }

  // The names in the studio's folder of the module's file system, to tell a name spelt in
  // another case.
  std::vector<std::string> NamesIn(const std::string& folder) override {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (dir == nullptr) return names;
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
  }
};

}  // namespace

std::unique_ptr<CheckServices> MakeStudioCheckServices() {
  return std::make_unique<StudioCheckServices>();
}

PictureLayout StudioPictureLayout() {
  PictureLayout layout{
      .width = UnitScene::kWidth, .height = UnitScene::kHeight, .text_x = UnitScene::kTextX};
  layout.frame_paths = story_files::FramePaths();
  return layout;
}

}  // namespace game::check
