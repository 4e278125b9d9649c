// Run with QT_QPA_PLATFORM=offscreen. The program folders lie in the temporary folder, so the
// answer writes pay for that disk's syncs.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "benchmarks/qt/qt_bench_support.h"
#include "content/content_folders.h"
#include "platform/headless/headless_backend.h"
#include "platform/qt/qt_backend.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"
#include "sorandel/results_window.h"
#include "tests/support/program_folder.h"

namespace {

using Clock = std::chrono::steady_clock;

int argc = 1;
char name[] = "practice_benchmarks";
char* argv[] = {name, nullptr};

constexpr const char* kSet = "Lesson1中选日句子";

// `count` questions of the "中选日" sentence set of Lesson1, written in one statement.
void addSet(test_support::ProgramFolder& folder, int count) {
  const std::string key = "'Q' || i";
  folder.execute(content::ContentFolders::exerciseDatabase,
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                     std::to_string(count) + ") INSERT INTO lianxi SELECT '" + kSet + "', " + key +
                     ", '题目' || " + key + ", " + key + " || 'A', " + key + " || 'B', " + key +
                     " || 'C', " + key + " || 'D', " + key +
                     " || 'B', 'B', '', '您未做此题', '' FROM n");
}

double milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

// Median and 99th percentile of the samples, as counters.
void reportPercentiles(benchmark::State& bench, std::vector<double> samples) {
  if (samples.empty()) return;
  std::sort(samples.begin(), samples.end());
  bench.counters["median_ms"] = samples[samples.size() / 2];
  bench.counters["p99_ms"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
}

// The practice view of a running main window, started on a set, auto mode off.
MainWindow& startPractice(platform::Runtime& runtime, SorandelState& state) {
  initGlobals(state);
  MainWindow& w = runtime.start<MainWindow>(state);
  w.navigation.mainMenuItemClicked(0, 3);
  w.练习自动模式选择框.setChecked(false);
  w.practiceControls.startPracticeClicked();
  return w;
}

// A main window on the headless backend, its practice started on a set of 254 questions.
struct PracticeHeadless {
  PracticeHeadless() {
    addSet(folder, 254);
    window = &startPractice(runtime, state);
  }
  test_support::ProgramFolder folder;
  platform::HeadlessBackend backend;
  platform::Runtime runtime{backend, folder.path()};
  SorandelState state;
  MainWindow* window = nullptr;
};

// From the click on an option to its row committed in the file and the mark set.
void BM_OptionClickToRowCommitted(benchmark::State& bench) {
  PracticeHeadless practice;
  MainWindow& w = *practice.window;
  std::vector<double> samples;
  int i = 0;
  for (auto _ : bench) {
    platform::Label& option = ++i % 2 ? w.选项B标签 : w.选项C标签;
    const auto start = Clock::now();
    option.userClick();
    const double ms = milliseconds(Clock::now() - start);
    bench.SetIterationTime(ms / 1000.0);
    samples.push_back(ms);
  }
  if (!w.显示正确错误图片框.visible()) bench.SkipWithError("no mark shown");
  reportPercentiles(bench, std::move(samples));
}
BENCHMARK(BM_OptionClickToRowCommitted)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(300);

// A main window on the Qt backend, its practice started on a set of 254 questions.
struct PracticeOnQt {
  PracticeOnQt() {
    addSet(folder, 254);
    window = &startPractice(runtime, state);
    backend.processEvents();
  }
  bool applicationMade = (ensureApplication(argc, argv), true);
  test_support::ProgramFolder folder;
  platform::QtBackend backend{argc, argv, {.manualClock = false, .silent = true}};
  platform::Runtime runtime{backend, folder.path()};
  SorandelState state;
  MainWindow* window = nullptr;
};

// From the mouse release on an option to the mark drawn on the Qt backend.
void BM_OptionClickToMarkDrawn(benchmark::State& bench) {
  PracticeOnQt qt;
  platform::QtBackend& backend = qt.backend;
  MainWindow& w = *qt.window;
  std::vector<double> samples;
  int i = 0;
  for (auto _ : bench) {
    platform::Label& option = ++i % 2 ? w.选项B标签 : w.选项C标签;
    QWidget* target = backend.widgetOf(option);
    PaintSeen paint;
    const auto start = Clock::now();
    QTest::mouseClick(target, Qt::LeftButton);
    // The mark's widget exists once it has been shown the first time.
    QWidget* mark = backend.widgetOf(w.显示正确错误图片框);
    if (mark != nullptr) mark->installEventFilter(&paint);
    while (!paint.seen && mark != nullptr) {
      QCoreApplication::processEvents();
      mark = backend.widgetOf(w.显示正确错误图片框);
    }
    const double ms = milliseconds(Clock::now() - start);
    if (mark != nullptr) mark->removeEventFilter(&paint);
    bench.SetIterationTime(ms / 1000.0);
    samples.push_back(ms);
  }
  reportPercentiles(bench, std::move(samples));
}
BENCHMARK(BM_OptionClickToMarkDrawn)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(100);

// The first switch to a view after the start, from the click on its menu item to its frame
// drawn: the widgets of a view are made when it first shows. Argument: the item (1 the drill,
// 2 listening practice, 3 the translation practice).
void BM_FirstSwitchToAView(benchmark::State& bench) {
  ensureApplication(argc, argv);
  for (auto _ : bench) {
    test_support::ProgramFolder folder;
    addSet(folder, 254);
    platform::QtBackend backend{argc, argv, {.manualClock = false, .silent = true}};
    platform::Runtime runtime{backend, folder.path()};
    SorandelState state;
    initGlobals(state);
    MainWindow& w = runtime.start<MainWindow>(state);
    backend.processEvents();
    const auto start = Clock::now();
    w.navigation.mainMenuItemClicked(0, static_cast<int>(bench.range(0)));
    backend.processEvents();
    bench.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
  }
}
BENCHMARK(BM_FirstSwitchToAView)
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

// A load of the set with shuffling on: the query, both lists, the permutation, the first
// question.
void BM_LoadPracticeSetShuffled(benchmark::State& bench) {
  test_support::ProgramFolder folder;
  addSet(folder, static_cast<int>(bench.range(0)));
  platform::HeadlessBackend backend;
  platform::Runtime runtime(backend, folder.path());
  SorandelState state;
  initGlobals(state);
  MainWindow& w = runtime.start<MainWindow>(state);
  w.navigation.mainMenuItemClicked(0, 3);
  w.打乱顺序选择框.setChecked(true);
  for (auto _ : bench) w.practiceView.loadPracticeSet();
  if (state.practiceQuestionCount != bench.range(0)) bench.SkipWithError("the set did not load");
}
BENCHMARK(BM_LoadPracticeSetShuffled)->Arg(254)->Arg(5000)->Unit(benchmark::kMillisecond);

// From the submit to the first frame of the results window over a set of 254 questions.
void BM_ResultsWindowToFirstFrame(benchmark::State& bench) {
  PracticeOnQt qt;
  platform::QtBackend& backend = qt.backend;
  MainWindow& w = *qt.window;

  // Waits for the first paint of the results window, then closes it.
  class FirstFrame : public QObject {
   public:
    FirstFrame(platform::Runtime& runtime, platform::QtBackend& backend)
        : runtime_(runtime), backend_(backend) {}
    Clock::time_point drawn;
    bool eventFilter(QObject* object, QEvent* e) override {
      if (e->type() != QEvent::Paint || done_ || runtime_.openWindows().size() < 2) return false;
      platform::Window* sheet = runtime_.openWindows().back();
      QWidget* widget = backend_.widgetOf(*sheet);
      if (widget == nullptr || object != widget) return false;
      drawn = Clock::now();
      done_ = true;
      QTimer::singleShot(0, [sheet] { sheet->close(); });
      return false;
    }
    void reset() { done_ = false; }

   private:
    platform::Runtime& runtime_;
    platform::QtBackend& backend_;
    bool done_ = false;
  } firstFrame(qt.runtime, backend);
  qApp->installEventFilter(&firstFrame);
  for (auto _ : bench) {
    firstFrame.reset();
    w.practiceControls.startPracticeClicked();
    const auto start = Clock::now();
    w.practiceControls.submitPracticeClicked();
    bench.SetIterationTime(std::chrono::duration<double>(firstFrame.drawn - start).count());
  }
  qApp->removeEventFilter(&firstFrame);
}
BENCHMARK(BM_ResultsWindowToFirstFrame)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

// Clearing the answers of a set of 254 questions, each row committed.
void BM_ClearAnswerRecords(benchmark::State& bench) {
  PracticeHeadless practice;
  MainWindow& w = *practice.window;
  for (auto _ : bench) {
    double ms = 0;
    practice.backend.whenWindowOpens<ResultsWindow>([&](ResultsWindow& sheet) {
      const auto start = Clock::now();
      sheet.clearAnswerRecords();
      ms = milliseconds(Clock::now() - start);
      sheet.close();
    });
    w.practiceControls.submitPracticeClicked();
    bench.SetIterationTime(ms / 1000.0);
  }
}
BENCHMARK(BM_ClearAnswerRecords)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
