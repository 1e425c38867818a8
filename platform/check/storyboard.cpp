#include "platform/check/storyboard.h"

#include <QBuffer>
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

std::optional<Bilingual> WriteStoryboard(StoryWalk& walk, const std::vector<int>& order,
                                         FileSystem& files, TextDecoder& decoder,
                                         const std::string& story_path, const OutputRequest& out,
                                         Language language) {
  const std::string& folder = out.path;
  const std::string index = InFolder(folder, "index.html").toStdString();
  const QDir dir(QString::fromStdString(folder));
  const bool own = !dir.exists() ||
                   dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ||
                   HoldsMark(index, kStoryboardMark);
  if (auto problem = OutputProblem(out, true, own)) return problem;
  if (!QDir().mkpath(QString::fromStdString(folder))) {
    return Bilingual{"cannot make the folder " + folder, folder + " を作れません。"};
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
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    renderer.BackBuffer().Image().save(&buffer, "PNG");
    const QString path = InFolder(folder, StoryboardImageName(static_cast<int>(i) + 1));
    if (auto failed = SaveBeside(path.toStdString(), png.toStdString())) return failed;
  }
  return SaveBeside(index, StoryboardHtml(walk, order, story_path, decoder, UnitBmp::kWidth,
                                          UnitBmp::kHeight, language));
}

}  // namespace game::check
