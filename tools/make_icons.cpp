// Makes the desktop's icons from the star the game draws for its window: NAME.png at 16, 32, 48,
// 64, 128 and 256 pixels and the scalable NAME.svg, laid out as the hicolor icon theme wants them
// (hicolor/SIZExSIZE/apps/NAME.png, hicolor/scalable/apps/NAME.svg). The build runs it.
//
//   make_icons OUTPUT-FOLDER NAME
#include <QDir>
#include <QFile>
#include <QString>
#include <iostream>

#include "platform/window/app_identity.h"

namespace {

constexpr int kSizes[] = {16, 32, 48, 64, 128, 256};

// The apps folder of one size, made if missing.
QString AppsFolder(const QString& root, const QString& size) {
  const QString folder = root + "/hicolor/" + size + "/apps";
  QDir().mkpath(folder);
  return folder;
}

bool WriteSvg(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(game::GameIconSvg().toUtf8()) > 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: make_icons OUTPUT-FOLDER NAME\n";
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (const int size : kSizes) {
    const QString path = AppsFolder(root, QStringLiteral("%1x%1").arg(size)) + "/" + name + ".png";
    if (!game::GameIconImage(size).save(path, "PNG")) {
      std::cerr << "make_icons: cannot write " << path.toStdString() << '\n';
      return 1;
    }
  }
  const QString svg = AppsFolder(root, QStringLiteral("scalable")) + "/" + name + ".svg";
  if (!WriteSvg(svg)) {
    std::cerr << "make_icons: cannot write " << svg.toStdString() << '\n';
    return 1;
  }
  return 0;
}
