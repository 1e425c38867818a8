#include "platform/check/desktop_check_services.h"

#include <iconv.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "rules/text/sjis_decoder.h"

namespace game::check {

PathKind DesktopCheckServices::KindOf(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) {
    // Anything but nothing there (a folder that may not be searched, say) is left to the reader
    // of the file to report.
    return errno == ENOENT || errno == ENOTDIR ? PathKind::kMissing : PathKind::kRegularFile;
  }
  if (S_ISREG(status.st_mode)) return PathKind::kRegularFile;
  return S_ISDIR(status.st_mode) ? PathKind::kFolder : PathKind::kOther;
}

bool DesktopCheckServices::IsCp932(std::string_view sjis) { return IsCp932Text(sjis); }

bool DesktopCheckServices::HasCp932Form(std::string_view utf8) {
  const iconv_t converter = iconv_open("CP932", "UTF-8");
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in(utf8);
  char out[16];
  char* in_at = in.data();
  char* out_at = out;
  std::size_t in_left = in.size(), out_left = sizeof out;
  const bool converted =
      iconv(converter, &in_at, &in_left, &out_at, &out_left) != static_cast<std::size_t>(-1) &&
      in_left == 0;
  iconv_close(converter);
  return converted;
}

int DesktopCheckServices::LineWidth(std::string_view sjis) { return measure_.Width(sjis); }

std::optional<std::string> DesktopCheckServices::SoundProblem(const std::string& path) {
  return sounds_.Problem(path);
}

std::vector<std::string> DesktopCheckServices::NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
    names.push_back(entries->path().filename().string());
  }
  return names;
}

}  // namespace game::check
