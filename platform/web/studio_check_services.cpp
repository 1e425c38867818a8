#include "platform/web/studio_check_services.h"

#include <emscripten.h>
#include <sys/stat.h>

#include "rules/scene/unit_scene.h"
#include "rules/text/sjis_decoder.h"
#include "rules/text/sjis_encoder.h"

// The page's measure of a line (UTF-8) in the game's face, in pixels: Module.studioLineWidth.
EM_JS(int, studio_line_width, (const char* utf8),
      { return Module.studioLineWidth ? Module.studioLineWidth(UTF8ToString(utf8)) : 0; });

namespace game::check {

PathKind StudioCheckServices::KindOf(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return PathKind::kMissing;
  if (S_ISREG(status.st_mode)) return PathKind::kRegularFile;
  return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

bool StudioCheckServices::IsCp932(std::string_view sjis) { return IsCp932Text(sjis); }

bool StudioCheckServices::HasCp932Form(std::string_view utf8) {
  const SjisEncoding encoding = Utf32ToSjis(Utf8ToUtf32(utf8));
  return encoding.unencodable.empty();
}

int StudioCheckServices::LineWidth(std::string_view sjis) {
  return studio_line_width(SjisToUtf8(sjis).c_str());
}

std::optional<std::string> StudioCheckServices::SoundProblem(const std::string&) {
  return std::nullopt;
}

PictureLayout StudioPictureLayout() {
  PictureLayout layout{
      .width = UnitScene::kWidth, .height = UnitScene::kHeight, .text_x = UnitScene::kTextX};
  for (int i = 0; i < UnitScene::kFrameCount; ++i) {
    layout.frame_paths.push_back("dat/a" + std::to_string(i) + ".bmp");
  }
  return layout;
}

}  // namespace game::check
