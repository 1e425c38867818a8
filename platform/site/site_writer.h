// Writes the static web site of a story: the web player's files, the story folder's files under
// dat/, and the face cut down to the story's characters with its licence. The same input gives
// the same bytes (files written in a fixed order, nothing that depends on the time or the
// machine). Used by the build for the bundled story and by the authors' export tool.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "rules/contracts/text_decoder.h"

namespace game {

// The story folder's files the page reads, in the site's dat/ folder.
inline constexpr const char* kStoryFiles[] = {"story.txt", "a0.bmp", "a1.bmp", "a2.bmp",  "a3.bmp",
                                              "a4.bmp",    "a5.bmp", "up.wav", "suka.wav"};
// Where the face and its licence go in the site, and the face's family name there.
inline constexpr char kSiteFontPath[] = "fonts/luxarim-gothic.ttf";
inline constexpr char kSiteLicencePath[] = "fonts/IPA_Font_License.txt";
inline constexpr char kSiteFontFamily[] = "LuxarimGothic";
// The marker in the player's index.html that the page's title replaces.
inline constexpr char kTitleMarker[] = "{{TITLE}}";

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

// The subsetter of HarfBuzz's command-line tool, hb-subset (found on the PATH).
std::string HbSubset(const std::filesystem::path& font, const std::string& text);

// Writes the site into `out` (made when missing; files already there are replaced, others left
// alone) and returns the paths written, relative to `out`, in the order written. index.html gets
// the title, HTML-escaped, for each kTitleMarker. Story files that are missing are left out (the
// game then says so); the face holds FontText's characters of the story file and of the
// player's HTML and JavaScript files. Throws AppError (a file that cannot be read, a player
// without index.html, a failed subset) and std::filesystem::filesystem_error with the cause for a
// file or folder that cannot be written.
std::vector<std::string> WriteSite(const SiteInput& input, const std::filesystem::path& out,
                                   TextDecoder& decoder, const FontSubsetter& subset);

// `text` with &, <, >, " and ' written as character references.
std::string HtmlEscape(const std::string& text);

// The licence's text from `file`: the stand-alone "License: NAME" paragraph of a Debian
// copyright file (its lines without their leading space, " ." as an empty line); any other file
// as it is.
std::string LicenceText(const std::string& file, const std::string& name);

}  // namespace game
