#include "platform/export/export_target.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/support/temp_dir.h"

namespace game::exporting {
namespace {

namespace fs = std::filesystem;

// The names under `folder` (files and folders, recursively, sorted), or "missing".
std::string Tree(const fs::path& folder) {
  if (!fs::exists(folder)) return "missing";
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.push_back(entry.path().lexically_relative(folder).generic_string());
  }
  std::sort(names.begin(), names.end());
  std::string tree;
  for (const std::string& name : names) tree += name + " ";
  return tree;
}

class ExportTargetTest : public ::testing::Test {
 protected:
  // Stages at `out` (relative to the test's folder), writes a small site and publishes it.
  // Returns the problem when staging was refused, else "".
  std::string Export(const std::string& out, bool zip) {
    ExportTarget target(dir_.Path() / out, zip);
    check::Message problem;
    const auto staging = target.Stage(problem);
    if (!staging) return problem.en;
    EXPECT_TRUE(fs::is_empty(*staging));
    std::ofstream(*staging / "index.html") << "page";
    fs::create_directory(*staging / "dat");
    std::ofstream(*staging / "dat/story.txt") << "story";
    target.Publish();
    return "";
  }

  // The folder holds nothing but `out` (no staging folder or part file is left).
  std::string Leftovers() const {
    std::string left;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) {
      left += entry.path().filename().string() + " ";
    }
    return left;
  }

  testing::TempDir dir_;
};

// A new, an empty and an earlier export's folder become the site, keeping only hidden entries
// (version control) of what was there; a folder of other files, and a file, are refused untouched.
TEST_F(ExportTargetTest, FolderOutStates) {
  const struct {
    std::vector<std::string> before;  // files under out/ ("" for an empty folder)
    std::string problem;
    std::string after;
  } cases[] = {
      {{}, "", "dat dat/story.txt index.html "},
      {{""}, "", "dat dat/story.txt index.html "},
      {{"index.html", "old.js", "dat/a9.bmp", ".git/HEAD"},
       "",
       ".git .git/HEAD dat dat/story.txt index.html "},
      {{"notes.txt", ".git/HEAD"},
       "holds other files: give a new or empty folder, or an earlier export",
       ".git .git/HEAD notes.txt "},
  };
  for (const auto& c : cases) {
    fs::remove_all(dir_.Path() / "site");
    for (const std::string& name : c.before) {
      if (name.empty())
        fs::create_directory(dir_.Path() / "site");
      else
        dir_.Write("site/" + name, "old");
    }
    const std::string problem = Export("site", false);
    EXPECT_TRUE(problem.ends_with(c.problem)) << problem;
    EXPECT_EQ(Tree(dir_.Path() / "site"), c.after);
    EXPECT_EQ(Leftovers(), "site ");
  }
  fs::remove_all(dir_.Path() / "site");
  dir_.Write("site", "a file");
  EXPECT_TRUE(Export("site/", false).ends_with("site/ is not a folder"));
}

TEST_F(ExportTargetTest, ZipOutIsOneArchiveReplacingAFileButNeverAFolder) {
  dir_.Write("game.zip", "an older archive");
  EXPECT_EQ(Export("game.zip", true), "");
  std::ifstream in(dir_.Path() / "game.zip", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_TRUE(bytes.starts_with("PK\x03\x04"));
  EXPECT_EQ(Leftovers(), "game.zip ");
  fs::create_directory(dir_.Path() / "folder.zip");
  EXPECT_TRUE(Export("folder.zip", true).ends_with("is a folder: --zip writes a file"));
}

// Nothing can be staged where no folder can be made: under a file, in a missing folder, in /proc.
TEST_F(ExportTargetTest, UnwritablePlacesAreRefusedBeforeAnythingIsWritten) {
  dir_.Write("file", "x");
  for (const fs::path& out :
       {dir_.Path() / "file/site", dir_.Path() / "missing/site", fs::path("/proc/luxarim-site")}) {
    for (const bool zip : {false, true}) {
      ExportTarget target(out, zip);
      check::Message problem;
      EXPECT_FALSE(target.Stage(problem)) << out;
      EXPECT_TRUE(problem.en.starts_with("cannot write " + out.string() + ": ")) << problem.en;
    }
  }
  EXPECT_EQ(Leftovers(), "file ");
}

}  // namespace
}  // namespace game::exporting
