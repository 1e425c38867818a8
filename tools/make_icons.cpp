// Makes the desktop's icons from the star the game draws for its window: NAME.png at 16, 32, 48,
// 64, 128 and 256 pixels and the scalable NAME.svg, laid out as the hicolor icon theme wants them
// (hicolor/SIZExSIZE/apps/NAME.png, hicolor/scalable/apps/NAME.svg); with --web, the web
// player's: favicon.ico (16, 32 and 48 pixels), icon.svg, and icon-192.png and icon-512.png for
// the web app manifest. The build runs it.
//
//   make_icons OUTPUT-FOLDER NAME
//   make_icons --web OUTPUT-FOLDER
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QSaveFile>
#include <QString>
#include <QtEndian>
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

// The whole file or nothing: written beside `path` and renamed over it, so that a build stopped
// half way never leaves a cut icon that the next build takes as made.
bool WriteFile(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool WriteSvg(const QString& path) { return WriteFile(path, game::GameIconSvg().toUtf8()); }

QByteArray Png(int size) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  game::GameIconImage(size).save(&buffer, "PNG");
  return bytes;
}

template <typename T>
void Append(QByteArray& bytes, T value) {
  const T little = qToLittleEndian(value);
  bytes.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// An icon file whose images are PNG files, as every current browser reads them: the header, one
// 16-byte entry per image (size, colours, planes, bits, length, offset), then the images.
QByteArray Ico(const std::initializer_list<int>& sizes) {
  QByteArray header;
  QByteArray images;
  Append<quint16>(header, 0);
  Append<quint16>(header, 1);
  Append<quint16>(header, static_cast<quint16>(sizes.size()));
  const int first_image = 6 + 16 * static_cast<int>(sizes.size());
  for (const int size : sizes) {
    const QByteArray png = Png(size);
    header.append(static_cast<char>(size % 256)).append(static_cast<char>(size % 256));
    header.append(2, '\0');
    Append<quint16>(header, 1);
    Append<quint16>(header, 32);
    Append<quint32>(header, static_cast<quint32>(png.size()));
    Append<quint32>(header, static_cast<quint32>(first_image + images.size()));
    images.append(png);
  }
  return header + images;
}

int WriteWebIcons(const QString& root) {
  QDir().mkpath(root);
  const bool written =
      WriteFile(root + "/favicon.ico", Ico({16, 32, 48})) && WriteSvg(root + "/icon.svg") &&
      WriteFile(root + "/icon-192.png", Png(192)) && WriteFile(root + "/icon-512.png", Png(512));
  if (!written)
    std::cerr << "make_icons: cannot write the web icons in " << root.toStdString() << '\n';
  return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QString::fromLocal8Bit(argv[1]) == "--web") {
    return WriteWebIcons(QString::fromLocal8Bit(argv[2]));
  }
  if (argc != 3) {
    std::cerr << "usage: make_icons OUTPUT-FOLDER NAME\n       make_icons --web OUTPUT-FOLDER\n";
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  const QString name = QString::fromLocal8Bit(argv[2]);
  for (const int size : kSizes) {
    const QString path = AppsFolder(root, QStringLiteral("%1x%1").arg(size)) + "/" + name + ".png";
    if (!WriteFile(path, Png(size))) {
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
