#include "platform/check/tool_setup.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "platform/graphics/unit_bmp.h"

namespace game::check {
namespace {

void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << '\n';
}

}  // namespace

std::unique_ptr<QGuiApplication> StartToolApplication(char* name) {
  qInstallMessageHandler(QuietQtNotes);
  const char* platforms = std::getenv("WAYLAND_DISPLAY") != nullptr ? "wayland;xcb;offscreen"
                          : std::getenv("DISPLAY") != nullptr       ? "xcb;offscreen"
                                                                    : "offscreen";
  setenv("QT_QPA_PLATFORM", platforms, 0);
  static int argc = 1;
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

PictureLayout GamePictureLayout() {
  PictureLayout layout{
      .width = UnitBmp::kWidth, .height = UnitBmp::kHeight, .text_x = UnitBmp::kTextX};
  layout.frame_paths = story_files::FramePaths();
  return layout;
}

}  // namespace game::check
