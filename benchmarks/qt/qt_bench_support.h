#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>

// The application a Qt backend needs, made once per benchmark program.
inline void ensureApplication(int& argc, char** argv) {
  if (QApplication::instance() == nullptr) new QApplication(argc, argv);
}

// Notes that a paint event reached the widgets it filters.
class PaintSeen : public QObject {
 public:
  bool seen = false;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) seen = true;
    return false;
  }
};
