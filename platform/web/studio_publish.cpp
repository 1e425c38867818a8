#include "platform/web/studio_publish.h"

#include <emscripten.h>

#include <cstdlib>
#include <filesystem>

#include "platform/export/export_manifest.h"
#include "platform/site/site_writer.h"
#include "rules/contracts/app_error.h"
#include "rules/story/game_texts.h"
#include "rules/text/sjis_decoder.h"

// The page's `Module.studioCutFont(font, text)` (bytes, UTF-8 text -> bytes, or null) and
// `Module.studioDeflate(bytes)` (raw deflate): their answer copied into memory the module frees;
// null when they fail (a JavaScript error never unwinds through the module).
// clang-format off
EM_JS(char*, studio_js_cut_font, (const char* font, int font_size, const char* text,
                                  int text_size, int* out_size), {
  let cut = null;
  try {
    cut = Module.studioCutFont(HEAPU8.slice(font, font + font_size),
                               UTF8ToString(text, text_size));
  } catch (error) {
    cut = null;  // told to the module as no font, never thrown through it
  }
  if (!cut) return 0;
  const at = _malloc(Math.max(cut.length, 1));
  HEAPU8.set(cut, at);
  HEAP32[out_size >> 2] = cut.length;
  return at;
});
EM_JS(char*, studio_js_deflate, (const char* bytes, int size, int* out_size), {
  let deflated = null;
  try {
    deflated = Module.studioDeflate(HEAPU8.subarray(bytes, bytes + size));
  } catch (error) {
    return 0;
  }
  const at = _malloc(Math.max(deflated.length, 1));
  HEAPU8.set(deflated, at);
  HEAP32[out_size >> 2] = deflated.length;
  return at;
});
// clang-format on

namespace game::web {
namespace {

namespace fs = std::filesystem;

std::string Taken(char* bytes, int size) {
  std::string out(bytes, static_cast<std::size_t>(size));
  std::free(bytes);
  return out;
}

std::string CutFont(const fs::path& font, const std::string& text) {
  const std::string face = ReadWholeFile(font);
  int size = 0;
  char* cut = studio_js_cut_font(face.data(), static_cast<int>(face.size()), text.data(),
                                 static_cast<int>(text.size()), &size);
  if (cut == nullptr) throw AppError("the font could not be cut down");
  return Taken(cut, size);
}

std::string Deflate(const std::string& bytes) {
  int size = 0;
  char* deflated = studio_js_deflate(bytes.data(), static_cast<int>(bytes.size()), &size);
  if (deflated == nullptr) throw AppError("the archive could not be deflated");
  return Taken(deflated, size);
}

}  // namespace

Published PublishSite(const std::string& story, const std::string& title, bool zip) {
  fs::remove_all(kPublishSite);
  const SiteInput input{.story = story,
                        .player = {kPublishPlayer},
                        .font = kPublishFace,
                        .licence = kPublishLicence,
                        .title = title.empty() ? kGameTitleText : title};
  SjisTextDecoder decoder;
  Published published{.written = WriteSite(input, kPublishSite, decoder, CutFont)};
  if (zip) {
    published.archive = FolderArchive(kPublishSite);
  } else {
    // A folder gets the export's record of its files, so that story_export and the studio
    // replace this site later and nothing else there.
    WriteWholeFile(fs::path(kPublishSite) / exporting::kManifestName,
                   exporting::ManifestText(kPublishSite));
    published.written.push_back(exporting::kManifestName);
  }
  return published;
}

OldFolder SortOldFolder() {
  OldFolder sorted;
  for (const std::string& name : exporting::OwnFiles(kPublishOld)) sorted.own.push_back(name);
  for (const fs::path& name : exporting::SortOldOutput(kPublishOld, kPublishSite).replaced)
    sorted.replaced.push_back(name.generic_string());
  return sorted;
}

std::string FolderArchive(const std::string& folder) {
  return exporting::ZipArchive(exporting::FolderEntries(folder), Deflate);
}

}  // namespace game::web
