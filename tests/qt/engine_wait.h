#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

// How long the page engine may take for something a learner would wait for (a page's start, a
// reaction to a click); the machine running the tests may be busy.
inline constexpr int kEnginePatienceMs = 30000;

// Lets the engine run until `done` holds; false when it never did.
inline bool runEngineUntil(const std::function<bool()>& done, int limitMs = kEnginePatienceMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMs) return false;
    QTest::qWait(20);
  }
  return true;
}

// The value of a script run in the view's page.
inline QVariant evaluateInPage(QWebEngineView& view, const QString& script) {
  QVariant result;
  bool answered = false;
  view.page()->runJavaScript(script, [&](const QVariant& value) {
    result = value;
    answered = true;
  });
  runEngineUntil([&] { return answered; });
  return result;
}
