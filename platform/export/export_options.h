// The exporter's command line: story_export [--zip] [--force] [--replace] [--title TEXT] FOLDER
// OUT (read by rules/cli).
#pragma once

#include <string>

#include "rules/cli/command_line.h"

namespace game::exporting {

struct ExportOptions {
  std::string folder;    // the story folder, or the folder that holds dat/
  std::string out;       // the site's folder, or with `zip` the archive
  std::string title;     // the page's title; empty: the game's own
  bool zip = false;      // one zip file instead of a folder
  bool force = false;    // write even when the check finds errors
  bool replace = false;  // replace what OUT holds that no earlier export wrote
};

// The options of a command line that cli::Parse accepted for cli::ExportProgram().
ExportOptions ExportOptionsOf(const cli::CommandLine& line);

std::string ExportUsage(Language language);

// The usage in both languages.
Bilingual ExportHelp();

}  // namespace game::exporting
