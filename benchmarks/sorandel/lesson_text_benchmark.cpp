#include <benchmark/benchmark.h>

#include "benchmarks/sorandel/qt_layout_backend.h"
#include "sorandel/main_window.h"
#include "sorandel/program.h"

namespace {

// The rebuild that every display-mode click runs: 500 items in the Chinese-Japanese mode,
// laid out as the Qt backend lays them out.
void BM_LoadLessonText500ItemsChineseJapanese(benchmark::State& bench) {
  test_support::ProgramFolder folder;
  addLesson(folder, "Lesson1基本课文", 500, "s");
  QtLayoutBackend backend;
  platform::Runtime runtime(backend, folder.path());
  SorandelState state;
  initGlobals(state);
  MainWindow& window = runtime.start<MainWindow>(state);
  if (window.内容暂存框.getLineCount() != 3 * 500 + 1) bench.SkipWithError("lesson not built");
  for (auto _ : bench) {
    window.lessonText.loadLessonText();
    benchmark::DoNotOptimize(state.textLineCount);
  }
}
BENCHMARK(BM_LoadLessonText500ItemsChineseJapanese)->Unit(benchmark::kMillisecond);

}  // namespace
