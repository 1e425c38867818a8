#include "platform/site/hb_subset.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/site/site_writer.h"
#include "rules/contracts/app_error.h"

extern char** environ;

namespace game {
namespace {

namespace fs = std::filesystem;

class TempFile {
 public:
  explicit TempFile(const std::string& contents) {
    std::string name = (fs::temp_directory_path() / "luxarim-site-XXXXXX").string();
    const int fd = mkstemp(name.data());
    if (fd < 0) throw AppError("cannot make a temporary file");
    close(fd);
    path_ = name;
    WriteWholeFile(path_, contents);
  }
  ~TempFile() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

int Run(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string HbSubset(const fs::path& font, const std::string& text) {
  const TempFile text_file(text);
  const TempFile subset("");
  const int status =
      Run({"hb-subset", "--font-file=" + font.string(), "--text-file=" + text_file.Path().string(),
           "--output-file=" + subset.Path().string()});
  if (status != 0) throw AppError("hb-subset could not cut down " + font.string());
  return ReadWholeFile(subset.Path());
}

}  // namespace game
