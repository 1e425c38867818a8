#include "platform/window/data_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "tests/support/temp_dir.h"

namespace game {
namespace {

namespace fs = std::filesystem;

TEST(DataFolder, OnlyAFolderWithoutADatFolderGetsTheNoteNamingIt) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;
    bool note;
  };
  const std::vector<Case> cases = {
      {"nothing", [](const fs::path&) {}, true},
      {"an empty dat/", [](const fs::path& f) { fs::create_directory(f / "dat"); }, false},
      {"a file named dat", [](const fs::path& f) { std::ofstream(f / "dat") << "x"; }, true},
      {"a link to a folder",
       [](const fs::path& f) {
         fs::create_directory(f / "real");
         fs::create_directory_symlink(f / "real", f / "dat");
       },
       false},
      {"a dangling link", [](const fs::path& f) { fs::create_symlink(f / "gone", f / "dat"); },
       true},
  };
  for (const Case& c : cases) {
    testing::TempDir folder;
    c.make(folder.Path());
    const std::optional<std::string> note = MissingDataFolderNote(folder.Path());
    ASSERT_EQ(note.has_value(), c.note) << c.what;
    if (!note) continue;
    EXPECT_NE(note->find(" in " + folder.Path().string() + ","), std::string::npos) << *note;
    EXPECT_NE(note->find("installed luxarim command"), std::string::npos) << *note;
    EXPECT_EQ(note->find('\n'), std::string::npos) << *note;
    const std::optional<std::string> ja = MissingDataFolderNote(folder.Path(), Language::kJapanese);
    EXPECT_NE(ja->find(folder.Path().string() + " には"), std::string::npos) << *ja;
    EXPECT_NE(ja->find("luxarim コマンド"), std::string::npos) << *ja;
  }
}

}  // namespace
}  // namespace game
