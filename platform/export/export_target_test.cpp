#include "platform/export/export_target.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <map>

#include "platform/export/export_manifest.h"
#include "tests/support/temp_dir.h"

namespace game::exporting {
namespace {

namespace fs = std::filesystem;

// Everything under `folder`: "name/" for a folder, "name=bytes" for a file (the manifest by name
// only), sorted; "missing" when there is no folder.
std::string Tree(const fs::path& folder) {
  if (!fs::exists(folder)) return "missing";
  std::map<std::string, std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    if (entry.is_directory()) {
      names[name + "/"] = "";
    } else {
      names[name] = name == kManifestName ? "" : "=" + testing::FileBytes(entry.path());
    }
  }
  std::string tree;
  for (const auto& [name, bytes] : names) tree += name + bytes + " ";
  return tree;
}

// The disk, refusing its `fail_at`-th change (write, folder, rename or exchange; from 1) with
// `cause`; 0 refuses nothing.
class FailingFiles : public ExportFiles {
 public:
  int fail_at = 0;
  int cause = ENOSPC;
  int count = 0;
  int exchanges_failing = 0;  // the next exchanges fail with `cause`, whatever the count
  bool sticky = false;        // every change from the `fail_at`-th on fails, not that one alone

  std::error_code WriteFile(const fs::path& path, std::string_view bytes) override {
    return Fails() ? Cause() : disk_.WriteFile(path, bytes);
  }
  std::error_code MakeFolder(const fs::path& path) override {
    return Fails() ? Cause() : disk_.MakeFolder(path);
  }
  std::error_code Rename(const fs::path& from, const fs::path& to) override {
    return Fails() ? Cause() : disk_.Rename(from, to);
  }
  std::error_code Exchange(const fs::path& one, const fs::path& other) override {
    if (exchanges_failing > 0 && exchanges_failing-- > 0) return Cause();
    return Fails() ? Cause() : disk_.Exchange(one, other);
  }
  std::error_code RemoveAll(const fs::path& path) override { return disk_.RemoveAll(path); }

 private:
  bool Fails() { return fail_at > 0 && (sticky ? ++count >= fail_at : ++count == fail_at); }
  std::error_code Cause() const { return {cause, std::generic_category()}; }
  DiskExportFiles disk_;
};

class ExportTargetTest : public ::testing::Test {
 protected:
  // Exports to `out` (relative to the test's folder) a small site: index.html, dat/story.txt
  // holding `story`. Returns the refusal, else "".
  std::string Export(const std::string& out, const std::string& story = "story", bool zip = false,
                     bool replace = false) {
    ExportTarget target(
        files_,
        {.out = dir_.Path() / out, .story = dir_.Path() / story_, .zip = zip, .replace = replace});
    check::Message problem;
    const auto staging = target.Stage(problem);
    if (!staging) return problem.en;
    EXPECT_TRUE(fs::is_empty(*staging));
    for (const auto& [name, bytes] :
         {std::pair<std::string, std::string>{"index.html", "page"}, {"dat/story.txt", story}}) {
      fs::create_directories((*staging / name).parent_path());
      if (const std::error_code error = files_.WriteFile(*staging / name, bytes)) {
        return target.CannotWrite(error).en;
      }
    }
    std::optional<check::Message> note;
    const auto refused = target.Publish(note);
    return refused ? refused->en : "";
  }

  // What the test's folder holds besides `expected`: staging folders and part files left behind.
  std::string Leftovers(const std::string& expected) const {
    std::string left;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) {
      const std::string name = entry.path().filename().string();
      if (name != expected && name != story_ && !name.starts_with("mystory")) left += name + " ";
    }
    return left;
  }

  void Write(const std::string& name, const std::string& bytes) { dir_.Write(name, bytes); }

  testing::TempDir dir_;
  FailingFiles files_;
  std::string story_ = "mystory";
};

constexpr char kSite[] = ".story_export dat/ dat/story.txt=story index.html=page ";

// Folders that hold the author's things: the story folder and any folder above it are never
// written; what no earlier export wrote is kept, or the export is refused with its list until
// --replace is given; the export's own unchanged files are replaced.
TEST_F(ExportTargetTest, WhatTheAuthorHadIsStillThere) {
  const auto author_site = [this](const std::string& folder) {
    for (const auto& [name, bytes] : std::map<std::string, std::string>{{"index.html", "mine"},
                                                                        {"about.html", "mine"},
                                                                        {"photos/cat.jpg", "cat"},
                                                                        {"CNAME", "example.org"},
                                                                        {".nojekyll", ""}}) {
      Write(folder + "/" + name, bytes);
    }
  };
  const struct {
    std::string label;
    std::function<void()> before;
    std::string story, out;
    bool replace;
    std::string problem, after;  // the refusal's start; the tree of `out` afterwards
  } cases[] = {
      {"www holding the story",
       [&] {
         author_site("www");
         Write("www/mystory/story.txt", "s");
       },
       "www/mystory", "www", false, "holds the story being exported", ""},
      {"www holding the story, --replace",
       [&] {
         author_site("www");
         Write("www/mystory/story.txt", "s");
       },
       "www/mystory", "www", true, "holds the story being exported", ""},
      {"OUT = .",
       [&] {
         author_site(".");
         Write("mystory/story.txt", "s");
       },
       "mystory", ".", true, "holds the story being exported", ""},
      {"OUT = the story's parent", [&] { Write("mystory/story.txt", "s"); }, "mystory",
       "mystory/..", false, "holds the story being exported", ""},
      {"OUT = the story", [&] { Write("mystory/story.txt", "s"); }, "mystory", "mystory/", false,
       "holds the story being exported", ""},
      {"www of the author's pages", [&] { author_site("www"); }, "mystory", "www", false,
       "www holds files that no earlier export wrote as they are, which the new site would "
       "replace: index.html (give --replace",
       ""},
      {"www of the author's pages, --replace", [&] { author_site("www"); }, "mystory", "www", true,
       "",
       ".nojekyll= .story_export CNAME=example.org about.html=mine dat/ dat/story.txt=story "
       "index.html=page photos/ photos/cat.jpg=cat "},
      {"an earlier export with the author's additions",
       [&] {
         ASSERT_EQ(Export("site", "old story"), "");
         Write("site/CNAME", "example.org");
         Write("site/.git/HEAD", "ref");
         Write("site/dat/notes.txt", "n");
       },
       "mystory", "site", false, "",
       ".git/ .git/HEAD=ref .story_export CNAME=example.org dat/ dat/notes.txt=n "
       "dat/story.txt=story index.html=page "},
      {"an earlier export whose page the author edited",
       [&] {
         ASSERT_EQ(Export("site", "old story"), "");
         Write("site/index.html", "edited");
       },
       "mystory", "site", false,
       "site holds files that no earlier export wrote as they are, which the new site would "
       "replace: index.html (",
       ""},
      {"an earlier export's own file the new site lacks",
       [&] {
         ASSERT_EQ(Export("site", "old"), "");
         Write("site/old.js", "x");
         Write("site/.story_export", ManifestText(dir_.Path() / "site"));
       },
       "mystory", "site", false, "", kSite},
      {"an empty folder", [&] { fs::create_directory(dir_.Path() / "site"); }, "mystory", "site",
       false, "", kSite},
      {"a new folder", [] {}, "mystory", "site", false, "", kSite},
  };
  for (const auto& c : cases) {
    for (const auto& entry : fs::directory_iterator(dir_.Path())) fs::remove_all(entry.path());
    c.before();
    story_ = c.story;
    const std::string out_folder = fs::path(c.out).lexically_normal().generic_string();
    const fs::path out = dir_.Path() / c.out;
    const std::string tree_before = Tree(dir_.Path());
    const std::string problem = Export(c.out, "story", false, c.replace);
    EXPECT_TRUE(problem.find(c.problem) != std::string::npos &&
                (problem.empty() == c.problem.empty()))
        << c.label << ": " << problem;
    if (!c.problem.empty()) {
      EXPECT_EQ(Tree(dir_.Path()), tree_before) << c.label;
    } else {
      EXPECT_EQ(Tree(out), c.after) << c.label;
      EXPECT_EQ(Leftovers(fs::path(out_folder).filename().string()), "") << c.label;
    }
  }
}

// A failure at any step of a re-export (the n-th write, folder, rename or exchange fails with a
// full disk or an input/output error) leaves the old output byte for byte, and nothing beside it.
TEST_F(ExportTargetTest, AFailureAtAnyStepLeavesTheOldOutputWhole) {
  for (const int cause : {ENOSPC, EIO}) {
    fs::remove_all(dir_.Path() / "site");
    files_.fail_at = 0;
    ASSERT_EQ(Export("site", "old story"), "");
    Write("site/CNAME", "example.org");
    Write("site/.git/HEAD", "ref");
    Write("site/photos/cat.jpg", "cat");
    const std::string before = Tree(dir_.Path() / "site");
    int steps = 0;
    for (int n = 1;; ++n) {
      files_.count = 0;
      files_.fail_at = n;
      files_.cause = cause;
      const std::string problem = Export("site");
      if (files_.count < n) {
        EXPECT_EQ(problem, "");
        break;
      }
      ++steps;
      EXPECT_NE(problem.find(cause == ENOSPC ? ": the disk is full" : "input/output error"),
                std::string::npos)
          << n << ": " << problem;
      EXPECT_EQ(Tree(dir_.Path() / "site"), before) << "failing step " << n;
      EXPECT_EQ(Leftovers("site"), "") << "failing step " << n;
    }
    EXPECT_GE(steps, 7);  // staging, 2 folders and 2 files, manifest, 3 moves, the exchange
    EXPECT_EQ(Tree(dir_.Path() / "site"),
              ".git/ .git/HEAD=ref .story_export CNAME=example.org dat/ dat/story.txt=story "
              "index.html=page photos/ photos/cat.jpg=cat ");
  }
}

// A disk that goes wrong and stays wrong at any step (so that nothing can be moved back) never
// takes the author's files: what could not go back stays in the staging folder.
TEST_F(ExportTargetTest, ADiskThatStaysWrongNeverTakesTheAuthorsFiles) {
  for (int n = 1;; ++n) {
    fs::remove_all(dir_.Path());
    fs::create_directories(dir_.Path() / story_);
    files_.fail_at = 0;
    files_.sticky = false;
    ASSERT_EQ(Export("site", "old story"), "");
    Write("site/CNAME", "example.org");
    Write("site/photos/cat.jpg", "cat");
    files_.count = 0;
    files_.fail_at = n;
    files_.sticky = true;
    Export("site");
    std::string found;
    for (const auto& entry : fs::recursive_directory_iterator(dir_.Path())) {
      const std::string name = entry.path().filename().string();
      if (name == "CNAME" || name == "cat.jpg")
        found += name + "=" + testing::FileBytes(entry.path()) + " ";
    }
    EXPECT_EQ(found.size(), std::string("CNAME=example.org cat.jpg=cat ").size())
        << "failing from step " << n << ": " << found;
    if (files_.count < n) break;
  }
  files_.sticky = false;
}

// Where the two folders cannot be exchanged in one step, the site still replaces the old one:
// across file systems (EXDEV) it is copied beside OUT first; on a file system without the exchange
// (EINVAL) OUT is renamed aside and back.
TEST_F(ExportTargetTest, SwapsWithoutTheExchangeToo) {
  for (const int cause : {EXDEV, EINVAL}) {
    fs::remove_all(dir_.Path() / "site");
    files_.fail_at = 0;
    ASSERT_EQ(Export("site", "old story"), "");
    files_.exchanges_failing = 1;
    files_.cause = cause;
    EXPECT_EQ(Export("site"), "") << cause;
    EXPECT_EQ(Tree(dir_.Path() / "site"), kSite) << cause;
    EXPECT_EQ(Leftovers("site"), "") << cause;
  }
}

// A link OUT is followed: the site goes where it points, the link stays; a dangling one is
// refused with its cause.
TEST_F(ExportTargetTest, LinksAreFollowedAndDanglingOnesRefused) {
  ASSERT_EQ(Export("real", "old"), "");
  fs::create_directory_symlink(dir_.Path() / "real", dir_.Path() / "link");
  EXPECT_EQ(Export("link"), "");
  EXPECT_TRUE(fs::is_symlink(dir_.Path() / "link"));
  EXPECT_EQ(Tree(dir_.Path() / "real"), kSite);
  fs::create_directory_symlink(dir_.Path() / "gone", dir_.Path() / "dangling");
  EXPECT_TRUE(Export("dangling")
                  .ends_with("dangling is a link to " + (dir_.Path() / "gone").string() +
                             ", which is not there"));
}

// A zip replaces only a zip this exporter wrote, or anything given --replace; never a folder or
// one of the story's files.
TEST_F(ExportTargetTest, ZipReplacesOnlyItsOwnArchive) {
  Write("mystory/story.txt", "s");
  Write("game.zip", "an older archive");
  EXPECT_TRUE(
      Export("game.zip", "story", true)
          .ends_with(
              "game.zip is not a zip that story_export wrote: give --replace to replace it"));
  EXPECT_EQ(testing::FileBytes(dir_.Path() / "game.zip"), "an older archive");
  EXPECT_EQ(Export("game.zip", "story", true, true), "");
  EXPECT_TRUE(testing::FileBytes(dir_.Path() / "game.zip").starts_with("PK\x03\x04"));
  EXPECT_EQ(Export("game.zip", "story", true), "");  // its own now
  EXPECT_EQ(Leftovers("game.zip"), "");
  fs::create_directory(dir_.Path() / "folder.zip");
  EXPECT_TRUE(Export("folder.zip", "story", true).ends_with("is a folder: --zip writes a file"));
  EXPECT_TRUE(Export("mystory/story.txt", "story", true, true).find("holds the story") !=
              std::string::npos);
  EXPECT_EQ(testing::FileBytes(dir_.Path() / "mystory/story.txt"), "s");
}

// Nothing can be staged where no folder can be made: under a file, in a missing folder, in /proc.
TEST_F(ExportTargetTest, UnwritablePlacesAreRefusedWithTheirCause) {
  Write("file", "x");
  const struct {
    fs::path out;
    std::string cause;
  } cases[] = {{dir_.Path() / "file/site", "a part of the path is not a folder"},
               {dir_.Path() / "missing/site", "the folder is not there"},
               {"/proc/luxarim-site", "the folder is not there"}};
  for (const auto& c : cases) {
    for (const bool zip : {false, true}) {
      ExportTarget target(files_, {.out = c.out, .story = dir_.Path() / "mystory", .zip = zip});
      check::Message problem;
      EXPECT_FALSE(target.Stage(problem)) << c.out;
      EXPECT_EQ(problem.en, "cannot write " + c.out.string() + ": " + c.cause);
    }
  }
  EXPECT_EQ(Leftovers(""), "file ");
}

}  // namespace
}  // namespace game::exporting
