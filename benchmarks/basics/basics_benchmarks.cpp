// The basics window's speed and memory with the real page engine.
//
//   basics_benchmarks --cold   one opening to the first frame of its page, with the engine not
//                              yet loaded in this process, then the memory while the page plays
//                              and after the window has closed (one line of figures)
//   basics_benchmarks [Google Benchmark options]
//                              a further page in the open window to its first frame
#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineView>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "sorandel/basics_window.h"
#include "sorandel/program.h"
#include "tests/qt/qt_driver.h"
#include "tests/support/program_folder.h"

namespace {

struct Basics {
  Basics() {
    initGlobals(state);
    std::filesystem::copy(SORANDEL_PAGES_DIR, std::filesystem::path(folder.path()) / "flash");
    folder.writeSettings("[入门基础]\r\n当前选项=入门基础练习\r\n");
  }

  QWebEngineView* view(BasicsWindow& w) {
    return driver.qt().widgetOf(w.swf播放器)->findChild<QWebEngineView*>();
  }

  // Runs the engine until the playing movie has reported `label`; false after 30 s.
  bool reaches(BasicsWindow& w, const char* label) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
      if (QWebEngineView* v = view(w)) {
        bool answered = false, seen = false;
        v->page()->runJavaScript(QStringLiteral("(window.frameLabels || []).includes('%1')")
                                     .arg(QString::fromUtf8(label)),
                                 [&](const QVariant& value) {
                                   seen = value.toBool();
                                   answered = true;
                                 });
        while (!answered) QTest::qWait(1);
        if (seen) return true;
      }
      QTest::qWait(5);
    }
    return false;
  }

  void open(const std::function<void(BasicsWindow&)>& act) {
    driver.whenWindowOpens<BasicsWindow>([&](BasicsWindow& w) {
      act(w);
      if (w.isOpen()) w.close();
    });
    rt.open<BasicsWindow>(state);
  }

  test_support::ProgramFolder folder;
  QtDriver driver;
  platform::Runtime rt{driver.backend(), folder.path()};
  SorandelState state;
};

// Proportional set size of this process and every process below it, in MB.
double pssMb(int pid) {
  double kb = 0;
  std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
  for (std::string key; rollup >> key;) {
    if (key == "Pss:") {
      double value = 0;
      rollup >> value;
      kb += value;
      break;
    }
  }
  for (const auto& task :
       std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
    std::ifstream children(task.path() / "children");
    for (int child; children >> child;) kb += pssMb(child) * 1024;
  }
  return kb / 1024;
}

int cold() {
  Basics basics;
  const double before = pssMb(getpid());
  double openMs = -1, playingMb = 0;
  QElapsedTimer clock;
  clock.start();
  basics.open([&](BasicsWindow& w) {
    if (!basics.reaches(w, "start")) return;
    openMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    QTest::qWait(3000);
    playingMb = pssMb(getpid());
  });
  QTest::qWait(3000);
  const double closedMb = pssMb(getpid());
  if (openMs < 0) {
    std::fprintf(stderr, "the page did not start\n");
    return 1;
  }
  std::printf("cold open to first frame ms %.0f; PSS MB before %.0f, playing %.0f, closed %.0f\n",
              openMs, before, playingMb, closedMb);
  return 0;
}

void BM_FurtherPageToFirstFrame(benchmark::State& state) {
  Basics basics;
  basics.open([&](BasicsWindow& w) {
    if (!basics.reaches(w, "start")) {
      state.SkipWithError("the first page did not start");
      return;
    }
    platform::RadioButton* pages[] = {&w.听选单选框, &w.看读单选框};
    int next = 0;
    for (auto _ : state) {
      QElapsedTimer clock;
      clock.start();
      basics.driver.click(*pages[next]);
      if (!basics.reaches(w, "start")) state.SkipWithError("a page did not start");
      state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
      next = 1 - next;
    }
  });
}
BENCHMARK(BM_FurtherPageToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--cold") == 0) return cold();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
