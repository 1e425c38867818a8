// The exporter's command line: story_export [--zip] [--force] [--title TEXT] FOLDER OUT
#pragma once

#include <string>
#include <vector>

#include "rules/check/finding.h"

namespace game::exporting {

struct ExportOptions {
  std::string folder;    // the story folder, or the folder that holds dat/
  std::string out;       // the site's folder, or with `zip` the archive
  std::string title;     // the page's title; empty: the game's own
  bool zip = false;      // one zip file instead of a folder
  bool force = false;    // write even when the check finds errors
  bool replace = false;  // replace what OUT holds that no earlier export wrote
  bool help = false;
  bool version = false;
};

struct ParsedExportOptions {
  ExportOptions options;
  std::string error;  // empty when the arguments are good; else one line in `language`
};

// `arguments` without the program's name. "--title TEXT" or "--title=TEXT" (not empty);
// "-h"/"--help" asks for the usage and "--version" for the version, and need nothing else; "--"
// ends the options, and options may come after the operands. Exactly two operands, FOLDER and OUT,
// unless help is asked for.
ParsedExportOptions ParseExportOptions(const std::vector<std::string>& arguments,
                                       check::Language language);

std::string ExportUsage(check::Language language);

}  // namespace game::exporting
