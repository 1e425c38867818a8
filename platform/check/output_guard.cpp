#include "platform/check/output_guard.h"

#include <QSaveFile>
#include <QString>
#include <filesystem>
#include <fstream>

namespace game::check {
namespace fs = std::filesystem;
namespace {

fs::path Real(const std::string& path) {
  std::error_code error;
  const fs::path real = fs::weakly_canonical(fs::absolute(path), error);
  return error ? fs::absolute(path).lexically_normal() : real;
}

// Whether `inner` is `outer` or lies inside it.
bool Within(const fs::path& inner, const fs::path& outer) {
  const fs::path relative = inner.lexically_relative(outer);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::optional<Bilingual> OutputProblem(const OutputRequest& request, bool folder, bool own) {
  const std::string& name = request.path;
  const fs::path real = Real(name);
  const fs::path story = Real(request.story_folder);
  if (Within(real, story) || (folder && Within(story, real))) {
    return Bilingual{name + " is the story folder " + request.story_folder +
                         " or in it or above it: story_check never writes there",
                     name + " は物語のフォルダー（" + request.story_folder +
                         "）かその中か上にあります。story_check はそこに書きません。"};
  }
  std::error_code error;
  const fs::file_status status = fs::status(real, error);
  if (!fs::exists(status)) return std::nullopt;
  if (fs::is_directory(status) != folder) {
    return folder ? Bilingual{name + " is not a folder", name + " はフォルダーではありません。"}
                  : Bilingual{name + " is a folder", name + " はフォルダーです。"};
  }
  if (!own && !request.overwrite) {
    return Bilingual{name +
                         " is there and story_check did not write it: give --overwrite to "
                         "replace it",
                     name +
                         " は story_check が書いたものではありません。置き換えるには "
                         "--overwrite を指定してください。"};
  }
  return std::nullopt;
}

bool HoldsMark(const std::string& file, const std::string& mark) {
  std::ifstream in(file, std::ios::binary);
  std::string head(64 * 1024, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head.find(mark) != std::string::npos;
}

std::optional<Bilingual> SaveBeside(const std::string& path, const std::string& bytes) {
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    const std::string cause = file.errorString().toStdString();
    return Bilingual{"cannot write " + path + ": " + cause,
                     path + " に書けません。" + cause + "。"};
  }
  return std::nullopt;
}

}  // namespace game::check
