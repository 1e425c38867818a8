#include "platform/export/export_target.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "platform/export/export_manifest.h"
#include "platform/export/zip_writer.h"
#include "platform/export/zlib_deflate.h"
#include "rules/story/story_files.h"

namespace game::exporting {
namespace fs = std::filesystem;
namespace {

using check::Message;

constexpr std::size_t kListed = 8;  // names listed in a refusal; the rest are counted

// Whether `inner` is `outer` or lies inside it (both with their links followed).
bool Within(const fs::path& inner, const fs::path& outer) {
  const fs::path relative = inner.lexically_relative(outer);
  return !relative.empty() && *relative.begin() != "..";
}

std::string Listed(const std::vector<fs::path>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < kListed; ++i) {
    list += (i == 0 ? "" : ", ") + names[i].generic_string();
  }
  return list;
}

bool IsStoryFile(const fs::path& path, const fs::path& story) {
  if (path.parent_path() != story) return false;
  return std::ranges::any_of(story_files::FilePaths(), [&](const std::string& game_path) {
    return path.filename() == story_files::NameInFolder(game_path);
  });
}

// The bytes of `path` into `bytes`; an error when it cannot be read whole.
std::error_code ReadAll(const fs::path& path, std::string& bytes) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return error;
  std::ifstream in(path, std::ios::binary);
  bytes.resize(static_cast<std::size_t>(size));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  return in ? std::error_code{} : std::make_error_code(std::errc::io_error);
}

// The last `count` bytes of `path` (all of a shorter file): enough to tell an archive's end.
std::string ReadTail(const fs::path& path, std::size_t count) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
  in.seekg(std::max<std::streamoff>(0, size - static_cast<std::streamoff>(count)));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

ExportTarget::ExportTarget(ExportFiles& files, const TargetRequest& request)
    : files_(files), request_(request), name_(request.out.string()) {
  fs::path out = request_.out;
  // "site/" names the folder "site": keep a file name to put the staging folder beside.
  if (!out.has_filename()) out = out.parent_path();
  if (out.empty() || out == ".") out = fs::current_path();
  std::error_code error;
  real_ = fs::weakly_canonical(fs::absolute(out), error);
  if (error) real_ = fs::absolute(out).lexically_normal();
  request_.story = fs::weakly_canonical(fs::absolute(request_.story), error);
}

ExportTarget::~ExportTarget() {
  MoveBack();
  // Entries of the author's that could not go back stay in the staging folder, never removed.
  if (!staging_.empty() && moved_.empty()) files_.RemoveAll(staging_);
}

Message ExportTarget::CannotWrite(std::error_code error) const {
  const Bilingual cause = WriteCause(error);
  return {"cannot write " + name_ + ": " + cause.en, name_ + " に書けません。" + cause.ja + "。"};
}

std::optional<Message> ExportTarget::OutProblem() const {
  const std::string& name = name_;
  std::error_code error;
  const fs::path given = request_.out.has_filename() ? request_.out : request_.out.parent_path();
  if (fs::is_symlink(given, error) && !fs::exists(given, error)) {
    const std::string target = fs::read_symlink(given, error).string();
    return Message{name + " is a link to " + target + ", which is not there",
                   name + " は " + target + " へのリンクですが、その先がありません。"};
  }
  const fs::path& story = request_.story;
  if (Within(story, real_) || (request_.zip && IsStoryFile(real_, story))) {
    return Message{name + " holds the story being exported (" + story.string() +
                       "): the export never writes there; give a new folder outside it",
                   name + " には書き出す物語（" + story.string() +
                       "）があります。そこには書き出しません。物語の外の新しいフォルダーを指定して"
                       "ください。"};
  }
  const fs::file_status status = fs::status(real_, error);
  if (!fs::exists(status)) return std::nullopt;
  if (request_.zip && fs::is_directory(status)) {
    return Message{name + " is a folder: --zip writes a file",
                   name + " はフォルダーです。--zip はファイルを書きます。"};
  }
  if (!request_.zip && !fs::is_directory(status)) {
    return Message{name + " is not a folder", name + " はフォルダーではありません。"};
  }
  if (request_.zip && !request_.replace && !IsOwnArchive(ReadTail(real_, kArchiveTailBytes))) {
    return Message{name + " is not a zip that story_export wrote: give --replace to replace it",
                   name +
                       " は story_export が書いた zip ではありません。置き換えるには --replace "
                       "を指定してください。"};
  }
  return std::nullopt;
}

fs::path ExportTarget::FreeNameBeside(const std::string& suffix) const {
  const std::string stem =
      "." + real_.filename().string() + suffix + "-" + std::to_string(::getpid()) + "-";
  for (int n = 0;; ++n) {
    const fs::path candidate = real_.parent_path() / (stem + std::to_string(n));
    std::error_code error;
    if (!fs::exists(fs::symlink_status(candidate, error))) return candidate;
  }
}

std::optional<fs::path> ExportTarget::Stage(Message& problem) {
  if (const auto refused = OutProblem()) {
    problem = *refused;
    return std::nullopt;
  }
  const fs::path staging = FreeNameBeside(".export");
  if (const std::error_code error = files_.MakeFolder(staging)) {
    problem = CannotWrite(error);
    return std::nullopt;
  }
  staging_ = staging;
  return staging_;
}

std::optional<Message> ExportTarget::Publish(std::optional<Message>& note) {
  try {
    return request_.zip ? PublishZip() : PublishFolder(note);
  } catch (const fs::filesystem_error& failure) {
    MoveBack();
    return CannotWrite(failure.code());
  }
}

std::optional<Message> ExportTarget::PublishZip() {
  const std::string archive = ZipArchive(FolderEntries(staging_), ZlibRawDeflate);
  const fs::path part = FreeNameBeside(".part");
  std::error_code error = files_.WriteFile(part, archive);
  if (!error) error = files_.Rename(part, real_);
  if (error) {
    files_.RemoveAll(part);
    return CannotWrite(error);
  }
  return std::nullopt;
}

std::optional<Message> ExportTarget::PublishFolder(std::optional<Message>& note) {
  if (const std::error_code error =
          files_.WriteFile(staging_ / kManifestName, ManifestText(staging_))) {
    return CannotWrite(error);
  }
  std::error_code error;
  if (fs::exists(fs::symlink_status(real_, error))) {
    const OldOutput old = SortOldOutput(real_, staging_);
    if (!old.replaced.empty() && !request_.replace) {
      const std::string list =
          Listed(old.replaced) + (old.replaced.size() > kListed ? ", ..." : "");
      return Message{name_ + " holds files that no earlier export wrote as they are, which the " +
                         "new site would replace: " + list + " (give --replace to replace them)",
                     name_ +
                         " には前回の書き出しのままではないファイルがあり、新しいサイトで置き換わり"
                         "ます：" +
                         list + "（置き換えるには --replace を指定してください）"};
    }
    if (auto refused = MoveKept(old.kept)) return refused;
  }
  if (const std::error_code swap = Swap()) {
    MoveBack();
    return CannotWrite(swap);
  }
  moved_.clear();
  if (const std::error_code left = files_.RemoveAll(staging_)) {
    const Bilingual cause = WriteCause(left);
    note = Message{"the old site is left in " + staging_.string() + ": " + cause.en,
                   "古いサイトが " + staging_.string() + " に残りました。" + cause.ja + "。"};
  }
  staging_.clear();
  return std::nullopt;
}

std::optional<Message> ExportTarget::MoveKept(const std::vector<fs::path>& kept) {
  for (const fs::path& name : kept) {
    fs::path folder = staging_;
    std::error_code error;
    for (const fs::path& part : name.parent_path()) {
      folder /= part;
      if (!fs::is_directory(folder) && (error = files_.MakeFolder(folder))) break;
    }
    if (!error) error = files_.Rename(real_ / name, staging_ / name);
    if (error) {
      MoveBack();
      return CannotWrite(error);
    }
    moved_.push_back(name);
  }
  return std::nullopt;
}

void ExportTarget::MoveBack() {
  std::vector<fs::path> stuck;  // what could not go back: it stays where it is
  for (auto name = moved_.rbegin(); name != moved_.rend(); ++name) {
    if (files_.Rename(staging_ / *name, real_ / *name)) stuck.push_back(*name);
  }
  moved_ = std::move(stuck);
}

// The staged site takes OUT's place and the old output (if any) the staging folder's. Where the
// two names cannot be exchanged in one step (a file system without it), OUT is first renamed
// aside and put back if the second rename fails; where a rename crosses file systems, the site
// is copied beside OUT first.
std::error_code ExportTarget::Swap() {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(real_, error))) {
    error = files_.Rename(staging_, real_);
    if (!error) staging_.clear();
    return error;
  }
  error = files_.Exchange(real_, staging_);
  if (error.value() == EINVAL || error.value() == ENOSYS || error.value() == ENOTSUP) {
    const fs::path aside = FreeNameBeside(".old");
    if ((error = files_.Rename(real_, aside))) return error;
    if ((error = files_.Rename(staging_, real_))) {
      files_.Rename(aside, real_);
      return error;
    }
    staging_ = aside;
  } else if (error.value() == EXDEV) {
    const fs::path copy = FreeNameBeside(".copy");
    if ((error = CopyStaging(copy)) || (error = files_.Exchange(real_, copy))) {
      files_.RemoveAll(copy);
      return error;
    }
    files_.RemoveAll(staging_);
    staging_ = copy;
  }
  return error;
}

std::error_code ExportTarget::CopyStaging(const fs::path& copy) {
  if (std::error_code error = files_.MakeFolder(copy)) return error;
  for (const auto& entry : fs::recursive_directory_iterator(staging_)) {
    const fs::path to = copy / entry.path().lexically_relative(staging_);
    std::error_code error;
    if (entry.is_symlink()) {
      fs::copy_symlink(entry.path(), to, error);
    } else if (entry.is_directory()) {
      error = files_.MakeFolder(to);
    } else {
      std::string bytes;
      if (!(error = ReadAll(entry.path(), bytes))) error = files_.WriteFile(to, bytes);
    }
    if (error) return error;
  }
  return {};
}

}  // namespace game::exporting
