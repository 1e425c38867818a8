// The yardstick for the game's start-up: a bare Qt window of the game's client size, shown as
// soon as the application exists, doing nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(500, 300);
  window.show();
  return app.exec();
}
