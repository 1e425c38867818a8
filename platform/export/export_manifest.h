// The export's own record of a site it wrote: OUT/.story_export lists every file of the site with
// its size and CRC-32, so that a later export can tell its own earlier output, unchanged, from
// anything the author made or edited there (which it keeps, or replaces only when told to).
//
//   story_export manifest 1
//   1a2b3c4d 1234 dat/story.txt
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace game::exporting {

inline constexpr char kManifestName[] = ".story_export";

// The manifest of the regular files under `folder` (recursively, the manifest itself left out),
// sorted by name ('/' between folders). Throws std::filesystem::filesystem_error when a file
// cannot be read.
std::string ManifestText(const std::filesystem::path& folder);

// The files under `folder` that its manifest lists and that still have the listed size and CRC:
// the export's own, which it may replace. Empty when there is no manifest or it is not one.
std::set<std::string> OwnFiles(const std::filesystem::path& folder);

// What an earlier OUT holds, beside a new site in `staging`, paths relative to OUT: `kept` are the
// entries the export did not write and the new site has no file of (moved into the new site whole,
// a folder as one entry when none of the export's files are in it); `replaced` are those the new
// site would replace. The export's own unchanged files and the manifest are in neither.
struct OldOutput {
  std::vector<std::filesystem::path> kept;
  std::vector<std::filesystem::path> replaced;
};
OldOutput SortOldOutput(const std::filesystem::path& out, const std::filesystem::path& staging);

}  // namespace game::exporting
