#include "check/desktop_check_services.h"

#include <sys/stat.h>

#include <cerrno>

#include "text/sjis_decoder.h"

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

int DesktopCheckServices::LineWidth(std::string_view sjis) { return measure_.Width(sjis); }

std::optional<std::string> DesktopCheckServices::SoundProblem(const std::string& path) {
  return sounds_.Problem(path);
}

}  // namespace game::check
