// The checker's command line: story_check [--graph FILE] [--storyboard DIR] [FOLDER], or --help or
// --version alone.
#pragma once

#include <string>
#include <vector>

#include "rules/check/finding.h"

namespace game::check {

struct Options {
  std::string folder = "dat";  // the "dat" folder, or the folder that holds it (StoryFolderFor)
  std::string graph;           // where to write the map; empty: no map
  std::string storyboard;      // where to draw the storyboard; empty: none
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the arguments are good
};

// `arguments` without the program's name. "--graph FILE" and "--storyboard DIR" take the next
// argument (or "--graph=FILE"); "-h"/"--help" asks for the usage, "--version" for the version;
// "--" ends the options; at most one folder.
ParsedOptions ParseOptions(const std::vector<std::string>& arguments, Language language);

// The usage text, in `language`: both texts are held here.
std::string Usage(Language language);

}  // namespace game::check
