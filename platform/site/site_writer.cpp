#include "platform/site/site_writer.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

#include "platform/site/font_names.h"
#include "platform/site/font_text.h"
#include "rules/contracts/app_error.h"
#include "rules/story/story_files.h"

namespace game {
namespace {

namespace fs = std::filesystem;

// The page's tests and package files, and the story studio (an author's tool, not a player's:
// its sources in studio/, and its built page), stay out of every site.
bool LeftOut(const fs::path& relative) {
  static const std::set<std::string> kFiles = {
      "package.json", "package-lock.json", "CMakeLists.txt", "studio.html", "luxarim-studio.html"};
  for (const fs::path& part : relative) {
    const std::string name = part.string();
    if (name.starts_with('.') || name == "tests" || name == "node_modules" || name == "studio") {
      return true;
    }
  }
  return kFiles.contains(relative.filename().string());
}

// The player's files, by their path in the site (generic, '/' between names), sorted.
std::map<std::string, fs::path> PlayerFiles(const std::vector<fs::path>& folders) {
  std::map<std::string, fs::path> files;
  for (const fs::path& folder : folders) {
    if (!fs::is_directory(folder)) throw AppError("no player folder " + folder.string());
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      const fs::path relative = entry.path().lexically_relative(folder);
      if (!LeftOut(relative)) files[relative.generic_string()] = entry.path();
    }
  }
  return files;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw AppError("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteWholeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    // The stream keeps no cause of its own: errno holds the last call's (ENOSPC for a full disk).
    const int cause = errno != 0 ? errno : EIO;
    throw fs::filesystem_error("cannot write", path,
                               std::error_code(cause, std::generic_category()));
  }
}

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

namespace {

// A JSON string: quotes, backslashes and control characters escaped, the rest (UTF-8) as it is.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

std::string WebManifest(const std::string& title, const std::vector<std::string>& icons) {
  std::string listed;
  for (const SiteIcon& icon : kSiteIcons) {
    if (std::find(icons.begin(), icons.end(), icon.path) == icons.end()) continue;
    listed += std::string(listed.empty() ? "\n" : ",\n") +
              "    {\"src\": " + JsonString(icon.path) + ", \"sizes\": " + JsonString(icon.sizes) +
              ", \"type\": " + JsonString(icon.type) + "}";
  }
  return "{\n  \"name\": " + JsonString(title) + ",\n  \"short_name\": " + JsonString(title) +
         ",\n  \"lang\": \"ja\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
         "  \"display\": \"fullscreen\",\n  \"orientation\": \"any\",\n"
         "  \"background_color\": \"#ece9e2\",\n  \"theme_color\": \"#ece9e2\",\n"
         "  \"icons\": [" +
         listed + (listed.empty() ? "]" : "\n  ]") + "\n}\n";
}

std::string LicenceText(const std::string& file, const std::string& name) {
  if (!file.starts_with("Format:")) return file;
  std::istringstream lines(file);
  std::string line;
  while (std::getline(lines, line)) {
    // The stand-alone paragraph: the field's line followed by the indented text.
    if (line != "License: " + name || lines.peek() != ' ') continue;
    std::string text;
    while (lines.peek() == ' ' && std::getline(lines, line)) {
      text += (line == " ." ? "" : line.substr(1)) + "\n";
    }
    return text;
  }
  throw AppError("no licence text " + name);
}

std::vector<std::string> WriteSite(const SiteInput& input, const fs::path& out,
                                   TextDecoder& decoder, const FontSubsetter& subset) {
  std::vector<std::string> written;
  auto write = [&](const std::string& relative, const std::string& bytes) {
    WriteWholeFile(out / relative, bytes);
    written.push_back(relative);
  };
  const std::map<std::string, fs::path> player = PlayerFiles(input.player);
  if (!player.contains("index.html")) throw AppError("the player has no index.html");
  std::string page;  // the page's own texts, which the face draws too
  std::vector<std::string> player_paths;
  for (const auto& [relative, source] : player) {
    std::string bytes = ReadWholeFile(source);
    if (relative.ends_with(".html") || relative.ends_with(".js")) page += bytes;
    if (relative == "index.html") bytes = ReplaceAll(bytes, kTitleMarker, HtmlEscape(input.title));
    write(relative, bytes);
    player_paths.push_back(relative);
  }
  write(kSiteManifestPath, WebManifest(input.title, player_paths));
  std::string story;
  for (const std::string& path : story_files::FilePaths()) {
    const fs::path source = input.story / story_files::NameInFolder(path);
    if (!fs::is_regular_file(source)) continue;
    std::string bytes = ReadWholeFile(source);
    if (path == story_files::kStoryPath) story = bytes;
    write(path, bytes);
  }
  write(kSiteFontPath,
        RenameFont(subset(input.font, FontText(story, decoder, page)), kSiteFontFamily));
  write(kSiteLicencePath, LicenceText(ReadWholeFile(input.licence), "IPA-1"));
  return written;
}

}  // namespace game
