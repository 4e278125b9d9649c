#pragma once

#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/qt/qt_measurer.h"
#include "tests/support/program_folder.h"

// The headless backend measuring text as the Qt backend does, so that lines break where they
// break on screen. Needs the Qt application object, made once on the offscreen platform.
class QtLayoutBackend : public platform::HeadlessBackend {
 public:
  QtLayoutBackend() { application(); }
  const platform::TextMeasurer& textMeasurer() const override { return measurer_; }

 private:
  static QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "sorandel_benchmarks";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
    return app;
  }

  platform::qt::QtMeasurer measurer_;
};

// A lesson of `items` items under `lessonKey`, each with a sentence of everyday length, written
// in one transaction.
inline void addLesson(test_support::ProgramFolder& folder, const std::string& lessonKey, int items,
                      const std::string& sound) {
  std::string sql = "BEGIN;";
  for (int i = 0; i < items; ++i) {
    char key[16];
    std::snprintf(key, sizeof key, "B%03d", i);
    sql += "INSERT INTO study VALUES ('" + lessonKey + "', '" + key +
           "', 'いってらっしゃい。気をつけてね。今日は寒いですね。', "
           "'慢走，路上小心哦。今天真冷啊。', '" +
           sound + "');";
  }
  sql += "COMMIT;";
  folder.execute("\\data\\data.mdb", sql);
}
