// The whole check of a story folder, as far as it is plain rules: the story file line by line
// (encoding, the loader's limits), its table (word counts, jumps, labels, line widths), the walk
// over every way through it, and the frames and sounds. The platform supplies the outside
// (CheckServices, the decoder) and the picture's layout; the map and the storyboard are drawn
// from the walk afterwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rules/check/check_services.h"
#include "rules/check/finding.h"
#include "rules/check/story_folder.h"
#include "rules/check/story_lines.h"
#include "rules/check/story_walk.h"
#include "rules/check/walk_report.h"
#include "rules/contracts/file_system.h"
#include "rules/contracts/text_decoder.h"

namespace game::check {

// Where the game draws: the frames it loads (its paths, in order) and their expected size, and
// the x at which page lines begin.
struct PictureLayout {
  std::vector<std::string> frame_paths;
  int width = 0;
  int height = 0;
  int text_x = 0;
};

struct CheckReport {
  std::string story_path;         // the story file as the author named it
  std::vector<Finding> findings;  // sorted by file, line and column
  bool walked = false;            // the game loads the story and the walk ran
  WalkSummary summary;
  std::string startup_stop;  // the frame at which the game's start-up stops; empty: none does
};

class StoryCheck {
 public:
  // Everything passed must outlive the check. `folder` stands where the game reads "dat".
  StoryCheck(FileSystem& files, CheckServices& services, TextDecoder& decoder,
             const std::string& folder, PictureLayout layout);

  CheckReport Run();

  // After Run: the walk over the story (its pages are there when the report says walked).
  StoryWalk& Walk() { return walk_; }
  StoryFolder& Folder() { return folder_; }

 private:
  void CheckStoryFile(CheckReport& report);
  void CheckTable(const StoryLines& lines, bool loaded, CheckReport& report);
  void WalkStory(CheckReport& report);
  void CheckAssets(CheckReport& report);

  StoryFolder folder_;
  CheckServices& services_;
  TextDecoder& decoder_;
  PictureLayout layout_;
  StoryWalk walk_;
};

// The report as the checker prints it, one line each: the findings, the walk's two lines and the
// summary line ("2 errors, 1 warning"). When the start-up stops at a frame, a line before the
// walk's says that the player gets none of it until the frame loads.
std::string FormatReport(const CheckReport& report, Language language);

}  // namespace game::check
