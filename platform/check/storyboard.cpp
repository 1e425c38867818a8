#include "platform/check/storyboard.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>

#include "platform/graphics/unit_bmp.h"
#include "rules/check/storyboard_html.h"
#include "rules/contracts/app_error.h"

namespace game::check {
namespace {

QString InFolder(const std::string& folder, const std::string& name) {
  return QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(name));
}

// The storyboard reads each picture from the renderer's back buffer: no screen shows it.
class NoScreen : public PaintTarget {
 public:
  void BlockCopy(const OffscreenBitmap& /*picture*/) override {}
};

}  // namespace

bool WriteStoryboard(StoryWalk& walk, const std::vector<int>& order, FileSystem& files,
                     TextDecoder& decoder, const std::string& story_path, const std::string& folder,
                     Language language, std::string& error) {
  if (!QDir().mkpath(QString::fromStdString(folder))) {
    error = folder;
    return false;
  }
  Random random;
  NoScreen screen;
  UnitBmp renderer(random, walk.Story(), screen, files);
  try {
    renderer.InitGraphics();
  } catch (const AppError&) {
    // The frames from the refused one on stay unloaded and are drawn blank, as in the game.
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    walk.Show(order[i]);
    renderer.BackBuffer().Fill({0, 0, 0});
    renderer.SetPortrait(0);
    random.SetSeed(kStoryboardSeed);
    renderer.RenderFrame();
    const QString path = InFolder(folder, StoryboardImageName(static_cast<int>(i) + 1));
    if (!renderer.BackBuffer().Image().save(path, "PNG")) {
      error = path.toStdString();
      return false;
    }
  }
  QFile index(InFolder(folder, "index.html"));
  const std::string html =
      StoryboardHtml(walk, order, story_path, decoder, UnitBmp::kWidth, UnitBmp::kHeight, language);
  if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      index.write(html.data(), static_cast<qint64>(html.size())) !=
          static_cast<qint64>(html.size())) {
    error = index.fileName().toStdString();
    return false;
  }
  return true;
}

}  // namespace game::check
