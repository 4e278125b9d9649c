// The yardstick for start-up figures: the least a Qt Widgets program does to show a window.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLabel label("Hello");
  label.resize(400, 300);
  label.show();
  return app.exec();
}
