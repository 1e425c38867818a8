#include "platform/export/export_target.h"

#include <fstream>
#include <system_error>

#include "platform/export/zip_writer.h"

namespace game::exporting {
namespace fs = std::filesystem;
namespace {

check::Message Said(const std::string& en, const std::string& ja) { return {en, ja}; }

bool IsHidden(const fs::path& entry) { return entry.filename().string().starts_with('.'); }

// `out` beside itself with a suffix: "site" -> ".site.SUFFIX" in the same folder.
fs::path Beside(const fs::path& out, const std::string& suffix) {
  return out.parent_path() / ("." + out.filename().string() + suffix);
}

}  // namespace

ExportTarget::ExportTarget(fs::path out, bool zip)
    : name_(out.string()), out_(std::move(out)), zip_(zip) {
  // "site/" names the folder "site": keep a file name to put the staging folder beside.
  if (!out_.has_filename()) out_ = out_.parent_path();
  if (out_.is_relative()) out_ = fs::path(".") / out_;
}

ExportTarget::~ExportTarget() {
  std::error_code ignored;
  if (!staging_.empty()) fs::remove_all(staging_, ignored);
}

std::optional<check::Message> ExportTarget::OutProblem() const {
  const std::string& name = name_;
  std::error_code error;
  const fs::file_status status = fs::status(out_, error);
  if (!fs::exists(status)) return std::nullopt;
  if (zip_) {
    if (fs::is_directory(status)) {
      return Said(name + " is a folder: --zip writes a file",
                  name + " はフォルダーです: --zip はファイルを書きます");
    }
    return std::nullopt;
  }
  if (!fs::is_directory(status)) {
    return Said(name + " is not a folder", name + " はフォルダーではありません");
  }
  bool foreign = false;
  for (const fs::directory_entry& entry : fs::directory_iterator(out_, error)) {
    if (!IsHidden(entry.path())) foreign = true;
  }
  if (error) {
    return Said("cannot read " + name + ": " + error.message(),
                name + " を読めません: " + error.message());
  }
  if (foreign && !fs::is_regular_file(out_ / "index.html", error)) {
    return Said(name + " holds other files: give a new or empty folder, or an earlier export",
                name +
                    " には別のファイルがあります: 新しいか空のフォルダー、または前回の書き出し先を"
                    "指定してください");
  }
  return std::nullopt;
}

std::optional<fs::path> ExportTarget::Stage(check::Message& problem) {
  if (const auto refused = OutProblem()) {
    problem = *refused;
    return std::nullopt;
  }
  const fs::path staging = Beside(out_, ".export");
  std::error_code error;
  fs::remove_all(staging, error);
  if (!fs::create_directory(staging, error) || error) {
    const std::string reason = error ? error.message() : "it exists";
    problem = Said("cannot write " + name_ + ": " + reason, name_ + " に書けません: " + reason);
    return std::nullopt;
  }
  staging_ = staging;
  return staging_;
}

void ExportTarget::Publish() {
  if (zip_) {
    PublishZip();
  } else {
    PublishFolder();
  }
  fs::remove_all(staging_);
  staging_.clear();
}

void ExportTarget::PublishFolder() {
  if (!fs::exists(out_)) {
    fs::rename(staging_, out_);
    staging_.clear();
    return;
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(out_)) {
    if (!IsHidden(entry.path())) fs::remove_all(entry.path());
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(staging_)) {
    fs::rename(entry.path(), out_ / entry.path().filename());
  }
}

void ExportTarget::PublishZip() {
  const std::string archive = ZipArchive(FolderEntries(staging_));
  const fs::path part = Beside(out_, ".part");
  {
    std::ofstream file(part, std::ios::binary | std::ios::trunc);
    file.write(archive.data(), static_cast<std::streamsize>(archive.size()));
    file.close();
    if (!file) {
      std::error_code ignored;
      fs::remove(part, ignored);
      throw fs::filesystem_error("cannot write", part, std::make_error_code(std::errc::io_error));
    }
  }
  fs::rename(part, out_);
}

}  // namespace game::exporting
