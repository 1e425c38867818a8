// The checker's command line: story_check [--graph FILE] [--storyboard DIR] [--overwrite]
// [--large-graph] [FOLDER], or --help or --version alone (read by rules/cli).
#pragma once

#include <string>

#include "rules/check/finding.h"
#include "rules/cli/command_line.h"

namespace game::check {

struct Options {
  std::string folder = "dat";  // the "dat" folder, or the folder that holds it (StoryFolderFor)
  std::string graph;           // where to write the map; empty: no map
  std::string storyboard;      // where to draw the storyboard; empty: none
  bool overwrite = false;  // the map and the storyboard may replace what the checker did not write
  bool large_graph = false;  // draw a map of any size
};

// The options of a command line that cli::Parse accepted for cli::CheckProgram().
Options CheckOptions(const cli::CommandLine& line);

// The usage text, in `language`: both texts are held here.
std::string Usage(Language language);

// The usage in both languages.
Bilingual CheckHelp();

}  // namespace game::check
