// Writes the static web site of a story: the web player's files (its icons among them), the
// story folder's files under dat/, the web app manifest, and the face cut down to the story's
// characters with its licence. The same input gives
// the same bytes (files written in a fixed order, nothing that depends on the time or the
// machine). Used by the build for the bundled story and by the authors' export tool.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "rules/contracts/text_decoder.h"

namespace game {

// Where the face and its licence go in the site, and the face's family name there.
inline constexpr char kSiteFontPath[] = "fonts/luxarim-gothic.ttf";
inline constexpr char kSiteLicencePath[] = "fonts/IPA_Font_License.txt";
inline constexpr char kSiteFontFamily[] = "LuxarimGothic";
// The marker in the player's index.html that the page's title replaces.
inline constexpr char kTitleMarker[] = "{{TITLE}}";

// The web app manifest, which lets a phone add the game to its home screen under the page's
// title, and the player's icons it names (those the player has, in this order).
inline constexpr char kSiteManifestPath[] = "manifest.webmanifest";
struct SiteIcon {
  const char* path;
  const char* sizes;
  const char* type;
};
inline constexpr SiteIcon kSiteIcons[] = {{"icon-192.png", "192x192", "image/png"},
                                          {"icon-512.png", "512x512", "image/png"},
                                          {"icon.svg", "any", "image/svg+xml"}};

struct SiteInput {
  std::filesystem::path story;  // the folder that holds story.txt, a0.bmp, ...
  // Folders whose files make the player (the page, the compiled module): copied with their
  // sub-folders, except tests/, node_modules/, package files, CMakeLists.txt and hidden files.
  // A file found in two folders comes from the later one.
  std::vector<std::filesystem::path> player;
  std::filesystem::path font;     // the face to cut down (IPA P Gothic)
  std::filesystem::path licence;  // its licence: a Debian copyright file or the plain text
  std::string title;              // the page's title (UTF-8)
};

// Cuts `font` down to the characters of `text` (UTF-8) and returns the new font's bytes. Throws
// AppError when it cannot.
using FontSubsetter =
    std::function<std::string(const std::filesystem::path& font, const std::string& text)>;

// Writes the site into `out` (made when missing; files already there are replaced, others left
// alone) and returns the paths written, relative to `out`, in the order written: the player's
// files, the manifest, dat/, the face and its licence. index.html gets the title, HTML-escaped,
// for each kTitleMarker. Story files that are missing are left out (the
// game then says so); the face holds FontText's characters of the story file and of the
// player's HTML and JavaScript files. Throws AppError (a file that cannot be read, a player
// without index.html, a failed subset) and std::filesystem::filesystem_error with the cause for a
// file or folder that cannot be written.
std::vector<std::string> WriteSite(const SiteInput& input, const std::filesystem::path& out,
                                   TextDecoder& decoder, const FontSubsetter& subset);

// The bytes of the whole file at `path`. Throws AppError when it cannot be read.
std::string ReadWholeFile(const std::filesystem::path& path);

// Writes `bytes` as the file at `path`, making its folders. Throws
// std::filesystem::filesystem_error with the cause when it cannot.
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

// `text` with &, <, >, " and ' written as character references.
std::string HtmlEscape(const std::string& text);

// The manifest (JSON) for a site titled `title` (UTF-8) whose player has `icons` (paths of
// kSiteIcons, in its order).
std::string WebManifest(const std::string& title, const std::vector<std::string>& icons);

// The licence's text from `file`: the stand-alone "License: NAME" paragraph of a Debian
// copyright file (its lines without their leading space, " ." as an empty line); any other file
// as it is.
std::string LicenceText(const std::string& file, const std::string& name);

}  // namespace game
