// The studio's functions (web/studio, in a worker): the editor's text of a story file and the plan
// of its save, the checker over the story folder the page wrote to /dat, and its site published.
// Each answer is JSON or bytes kept in the module until the next call: studio_result() and
// studio_result_size().
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/posix/posix_file_system.h"
#include "platform/web/json_text.h"
#include "platform/web/studio_check_services.h"
#include "platform/web/studio_map.h"
#include "platform/web/studio_publish.h"
#include "rules/bmp/bmp_writer.h"
#include "rules/check/story_check.h"
#include "rules/check/story_save.h"
#include "rules/story/story_files.h"
#include "rules/text/sjis_decoder.h"

namespace {

using namespace game::check;

std::string result;
std::string saved_bytes;
const std::string kFolder = std::string("/") + game::story_files::kGameFolder;

// The file as the author sees it in the studio: "story.txt", not "/dat/story.txt".
std::string ShownFile(const std::string& file) {
  return file.starts_with(kFolder + "/") ? file.substr(kFolder.size() + 1) : file;
}

// The lines of the story file as the checker read them, for the findings' character columns.
std::vector<std::string> StoryFileLines() {
  std::vector<std::string> lines;
  std::ifstream file(std::string("/") + game::story_files::kStoryPath, std::ios::binary);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// A finding's column counted in characters (from 1) of its line in the editor, where the checker
// counts bytes of the Shift-JIS file (`byte_lines`, the file's lines); without lines the columns
// are characters already.
int CharacterColumn(const Finding& finding, const std::vector<std::string>& byte_lines) {
  if (byte_lines.empty() || finding.file != "story.txt" || finding.column <= 0 ||
      finding.line <= 0 || static_cast<std::size_t>(finding.line) > byte_lines.size()) {
    return finding.column;
  }
  const std::string& line = byte_lines[static_cast<std::size_t>(finding.line) - 1];
  const std::size_t bytes = std::min(line.size(), static_cast<std::size_t>(finding.column - 1));
  return static_cast<int>(game::SjisToUtf32(std::string_view(line).substr(0, bytes)).size()) + 1;
}

std::string FindingsJson(std::vector<Finding> findings, game::Language language,
                         const std::vector<std::string>& byte_lines = {}) {
  std::string out = "[";
  for (Finding& finding : findings) {
    finding.file = ShownFile(finding.file);
    if (out.size() > 1) out += ',';
    out += "{\"file\":" + game::web::JsonQuoted(finding.file) +
           ",\"line\":" + std::to_string(finding.line) +
           ",\"column\":" + std::to_string(finding.column) +
           ",\"character\":" + std::to_string(CharacterColumn(finding, byte_lines)) +
           ",\"error\":" + (finding.severity == Severity::kError ? "true" : "false") +
           ",\"text\":" + game::web::JsonQuoted(FormatFinding(finding, language)) + "}";
  }
  return out + "]";
}

game::Language LanguageOf(int japanese) {
  return japanese ? game::Language::kJapanese : game::Language::kEnglish;
}

const char* Answer(std::string text) {
  result = std::move(text);
  return result.data();
}

const char* kOutcomes[] = {"write", "confirm", "refused"};

// Texts (UTF-8) as a JSON array of strings.
std::string JsonList(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (const std::string& text : texts)
    out += (out.size() > 1 ? "," : "") + game::web::JsonQuoted(text);
  return out + "]";
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int studio_result_size() { return static_cast<int>(result.size()); }

// The story file's lines decoded, joined with "\n" (UTF-8).
EMSCRIPTEN_KEEPALIVE const char* studio_editor_text(const char* bytes, int size) {
  return Answer(StoryEditorText({bytes, static_cast<std::size_t>(size)}));
}

// The plan of saving `edited` over `original`: {"outcome", "findings", "lossy", "question"}; the
// file's bytes, for "write", from studio_saved_bytes().
EMSCRIPTEN_KEEPALIVE const char* studio_plan_save(const char* original, int original_size,
                                                  const char* edited, int edited_size,
                                                  int confirmed, int japanese) {
  SavePlan plan =
      PlanStorySave({original, static_cast<std::size_t>(original_size)},
                    {edited, static_cast<std::size_t>(edited_size)}, confirmed != 0, "story.txt");
  saved_bytes = std::move(plan.bytes);
  std::string lossy = "[";
  for (const int line : plan.lossy_lines)
    lossy += (lossy.size() > 1 ? "," : "") + std::to_string(line);
  const std::string question =
      plan.lossy_lines.empty() ? "" : LossyLinesQuestion(plan.lossy_lines).In(LanguageOf(japanese));
  return Answer(std::string("{\"outcome\":\"") + kOutcomes[static_cast<int>(plan.outcome)] +
                "\",\"findings\":" + FindingsJson(plan.refusals, LanguageOf(japanese)) +
                ",\"lossy\":" + lossy + "],\"question\":" + game::web::JsonQuoted(question) + "}");
}

// A picture the page decoded (width x height pixels, RGBA, top row first) as the 24-bit bitmap
// file the game reads, its bytes from studio_saved_bytes(); its alpha is left out. Returns 0, or
// -1 when the size is one the reader refuses (nothing is then made).
EMSCRIPTEN_KEEPALIVE int studio_frame_bmp(const unsigned char* rgba, int width, int height) {
  saved_bytes.clear();
  if (width <= 0 || height <= 0) return -1;
  game::DecodedBitmap picture{.width = width, .height = height};
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  picture.rgb.reserve(pixels * 3);
  for (std::size_t i = 0; i < pixels; ++i)
    picture.rgb.insert(picture.rgb.end(), rgba + i * 4, rgba + i * 4 + 3);
  try {
    const std::vector<std::uint8_t> file = game::EncodeBmp(picture, game::BmpEncoding::kRgb24);
    saved_bytes.assign(file.begin(), file.end());
  } catch (const std::invalid_argument&) {
    return -1;
  }
  return 0;
}

// The bytes of the last save plan's "write" or of the last frame made.
EMSCRIPTEN_KEEPALIVE const char* studio_saved_bytes() { return saved_bytes.data(); }
EMSCRIPTEN_KEEPALIVE int studio_saved_size() { return static_cast<int>(saved_bytes.size()); }

// The checker over /dat: {"findings", "report" (the CLI's output), "walked", "map" (the story's
// map, StoryMapJson, or null when the story was not walked)}.
EMSCRIPTEN_KEEPALIVE const char* studio_check(int japanese) {
  game::PosixFileSystem files;
  const auto services = MakeStudioCheckServices();
  game::SjisTextDecoder decoder;
  StoryCheck check(files, *services, decoder, kFolder, StudioPictureLayout());
  CheckReport report = check.Run();
  for (Finding& finding : report.findings) finding.file = ShownFile(finding.file);
  report.story_path = ShownFile(report.story_path);
  const game::Language language = LanguageOf(japanese);
  const std::string map = report.walked ? game::web::StoryMapJson(check.Walk(), decoder) : "null";
  return Answer("{\"findings\":" + FindingsJson(report.findings, language, StoryFileLines()) +
                ",\"map\":" + map +
                ",\"report\":" + game::web::JsonQuoted(FormatReport(report, language)) +
                ",\"walked\":" + (report.walked ? "true" : "false") + "}");
}

// Publishes the story folder /dat as story_export does (PublishSite): {"written": [the site's
// paths]}, with `zip` the archive's bytes from studio_saved_bytes(); or {"error": why}.
EMSCRIPTEN_KEEPALIVE const char* studio_publish(const char* title, int zip) {
  saved_bytes.clear();
  try {
    game::web::Published published = game::web::PublishSite(kFolder, title, zip != 0);
    saved_bytes = std::move(published.archive);
    return Answer("{\"written\":" + JsonList(published.written) + "}");
  } catch (const std::exception& failure) {
    return Answer("{\"error\":" + game::web::JsonQuoted(failure.what()) + "}");
  }
}

// After studio_publish, what publishing into the folder the page mirrored at /publish/old does
// there (SortOldFolder): {"own": [paths], "replaced": [paths]}; or {"error": why}.
EMSCRIPTEN_KEEPALIVE const char* studio_sort_old_folder() {
  try {
    const game::web::OldFolder sorted = game::web::SortOldFolder();
    return Answer("{\"own\":" + JsonList(sorted.own) +
                  ",\"replaced\":" + JsonList(sorted.replaced) + "}");
  } catch (const std::exception& failure) {
    return Answer("{\"error\":" + game::web::JsonQuoted(failure.what()) + "}");
  }
}

// The files under `folder` as one zip archive, its bytes from studio_saved_bytes(). Returns 0, or
// -1 when the folder cannot be read whole.
EMSCRIPTEN_KEEPALIVE int studio_zip_folder(const char* folder) {
  try {
    saved_bytes = game::web::FolderArchive(folder);
    return 0;
  } catch (const std::exception&) {
    saved_bytes.clear();
    return -1;
  }
}

}  // extern "C"
